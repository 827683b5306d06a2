#include "app/message_loop.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <memory>
#include <optional>

#include "app/author_mode.h"
#include "app/gl_window.h"
#include "app/window_proc.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "show/app_state.h"
#include "show/frame_driver.h"
#include "show/show_state.h"

namespace {

FramesShown g_shown;
// When the first frame had been drawn; unset until then.
std::optional<std::chrono::steady_clock::time_point> g_playing_since;

// Counts a drawn frame; the first one only starts the clock.
void count_drawn_frame() {
    const auto now = std::chrono::steady_clock::now();
    if (!g_playing_since) {
        g_playing_since = now;
        return;
    }
    ++g_shown.frames;
    g_shown.seconds = std::chrono::duration<double>(now - *g_playing_since).count();
}

}  // namespace

FramesShown frames_shown() { return g_shown; }

void note_quit_request(AppState& app, bool frame_failed, double show_time) {
    if ((frame_failed || app.keys[key_escape] || app.escape_pressed) && !app.quit_requested) {
        app.quit_requested = true;
        app.quit_time = show_time;
    }
    app.escape_pressed = false;
}

void idle_pass(AppState& app, const std::function<bool()>& draw, const double& show_time,
               const std::function<void()>& present) {
    const bool frame_failed = app.active && !draw();
    note_quit_request(app, frame_failed, show_time);
    present();
}

int run_message_loop() {
    AppState& app = app_state();
    ShowState& show = show_state();
    std::unique_ptr<AuthorMode> author;
    if (app.author_mode) {
        author = std::make_unique<AuthorMode>();
        author->start(app.window);
    }
    const std::function<bool()> draw = author ? std::function<bool()>([&author] { return author->frame(); })
                                              : std::function<bool()>(draw_frame);
    for (;;) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            // Author mode's keys are its own; the show never sees them.
            if (author && event.type == SDL_KEYDOWN && author->key_down(virtual_key(event.key.keysym.sym)))
                continue;
            const WindowTarget target{app, show.frame, show.graphics.view_camera, show.driver.frame_dt,
                                      resize_gl_scene};
            if (window_proc(event, target)) break;
            continue;
        }
        idle_pass(app, draw, show.driver.show_time, [&app] {
            swap_window(app.window);
            if (app.active) count_drawn_frame();
        });
    }
    kill_gl_window();
    return 0;
}
