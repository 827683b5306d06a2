#include "app/gl_window.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <SDL2/SDL.h>

#include "platform/message_box.h"
#include "platform/window.h"
#include "scenes/show_scenes.h"
#include "show/app_state.h"
#include "show/start_up.h"

namespace {

void creation_error(const char* text) {
    message_box("ERROR", text, MessageButtons::ok, MessageIcon::exclamation);
}

void shutdown_error(const char* text) {
    message_box("SHUTDOWN ERROR", text, MessageButtons::ok, MessageIcon::information);
}

}  // namespace

bool create_gl_window(const char* title, int width, int height, int bits, bool fullscreen) {
    AppState& app = app_state();
    app.fullscreen = fullscreen;
    // The window system stands where the window class was registered.
    if (!init_video()) {
        creation_error("Failed To Register The Window Class.");
        return false;
    }
    // SDL always asks for the show's 8-bit channels; other depths are not offered.
    (void)bits;

    if (app.fullscreen && !fullscreen_mode_available(width, height)) {
        const MessageAnswer answer = message_box(
            "OVK GL ;-)",
            "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
            "Instead?",
            MessageButtons::yes_no, MessageIcon::exclamation);
        if (answer != MessageAnswer::yes) {
            message_box("ERROR", "Program Will Now Close.", MessageButtons::ok, MessageIcon::stop);
            return false;
        }
        app.fullscreen = false;
    }

    app.window =
        open_window(title, width, height, app.fullscreen ? WindowKind::fullscreen : WindowKind::windowed);
    if (!app.window) {
        kill_gl_window();
        creation_error("Window Creation Error.");
        return false;
    }
    if (app.fullscreen) set_cursor_visible(false);
    // The show is watched, not used: no screen saver or monitor power-down while it runs.
    SDL_DisableScreenSaver();

    app.gl_context = create_gl_context(app.window);
    if (!app.gl_context) {
        kill_gl_window();
        creation_error("Can't Create A GL Rendering Context.");
        return false;
    }
    if (!make_gl_current(app.window, app.gl_context)) {
        kill_gl_window();
        creation_error("Can't Activate The GL Rendering Context.");
        return false;
    }

    bring_to_front(app.window);
    resize_gl_scene(width, height);
    init_gl();
    return true;
}

void kill_gl_window() {
    AppState& app = app_state();
    if (app.fullscreen) {
        restore_desktop_mode(app.window);
        set_cursor_visible(true);
    }
    if (app.gl_context) {
        if (!release_gl_context(app.gl_context)) shutdown_error("Release Of DC And RC Failed.");
        app.gl_context = nullptr;
    }
    if (app.window) {
        close_window(app.window);
        app.window = nullptr;
    }
}

void resize_gl_scene(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<GLfloat>(width) / static_cast<GLfloat>(height), 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void set_gl_defaults() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

bool init_gl() {
    set_gl_defaults();
    attach_show(app_state().window, show_scene_factories());
    start_up();
    return true;
}
