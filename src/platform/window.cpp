#include "platform/window.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>

bool init_video() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    // With no display SDL falls back to its off-screen driver, which has no GL here; only a
    // driver asked for by name counts then.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool stand_in =
        driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (stand_in && !SDL_getenv("SDL_VIDEODRIVER")) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("no display to open a window on");
        return false;
    }
    return true;
}

bool fullscreen_mode_available(int width, int height) {
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) return true;
    }
    return false;
}

SDL_Window* open_window(const char* title, int width, int height, WindowKind kind) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    Uint32 flags = SDL_WINDOW_OPENGL;
    int x = 50, y = 50;
    switch (kind) {
        case WindowKind::windowed:
            flags |= SDL_WINDOW_SHOWN;
            break;
        case WindowKind::fullscreen:
            flags |= SDL_WINDOW_SHOWN | SDL_WINDOW_FULLSCREEN;
            x = y = 0;
            break;
        case WindowKind::hidden:
            flags |= SDL_WINDOW_HIDDEN;
            break;
    }
    SDL_Window* window = SDL_CreateWindow(title, x, y, width, height, flags);
    if (!window || kind != WindowKind::fullscreen) return window;

    // Full screen means the display itself runs at the window's size, not a scaled desktop.
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    SDL_DisplayMode closest;
    if (!SDL_GetClosestDisplayMode(0, &wanted, &closest) || closest.w != width || closest.h != height ||
        SDL_SetWindowDisplayMode(window, &closest) != 0 ||
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
        close_window(window);
        return nullptr;
    }
    return window;
}

void* create_gl_context(SDL_Window* window) { return window ? SDL_GL_CreateContext(window) : nullptr; }

bool make_gl_current(SDL_Window* window, void* gl_context) {
    return SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(gl_context)) == 0;
}

bool init_glew() {
    // Compatibility contexts still hide some entry points from GLEW's extension-string check.
    glewExperimental = GL_TRUE;
    const bool ok = glewInit() == GLEW_OK;
    // glewInit can leave an invalid-enum error behind on some drivers; it is not the show's.
    while (glGetError() != GL_NO_ERROR) {}
    return ok;
}

void bring_to_front(SDL_Window* window) {
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
}

void set_cursor_visible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void swap_window(SDL_Window* window) { SDL_GL_SwapWindow(window); }

void drawable_size(SDL_Window* window, int* width, int* height) {
    SDL_GL_GetDrawableSize(window, width, height);
}

bool release_gl_context(void* gl_context) {
    if (!gl_context) return true;
    const bool released = SDL_GL_MakeCurrent(nullptr, nullptr) == 0;
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(gl_context));
    return released;
}

void restore_desktop_mode(SDL_Window* window) {
    if (window && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)) SDL_SetWindowFullscreen(window, 0);
}

void close_window(SDL_Window* window) {
    if (!window) return;
    restore_desktop_mode(window);
    SDL_DestroyWindow(window);
}

HiddenGlWindow open_hidden_gl_window(int width, int height) {
    HiddenGlWindow hidden;
    const auto failed = [&hidden](const std::string& step) {
        close_hidden_gl_window(hidden);
        hidden.error = step;
        return hidden;
    };
    if (!init_video()) return failed(std::string("no video: ") + SDL_GetError());
    hidden.window = open_window("Brinefall", width, height, WindowKind::hidden);
    if (!hidden.window) return failed(std::string("no window: ") + SDL_GetError());
    hidden.gl_context = create_gl_context(hidden.window);
    if (!hidden.gl_context) return failed(std::string("no GL context: ") + SDL_GetError());
    if (!make_gl_current(hidden.window, hidden.gl_context))
        return failed(std::string("the GL context cannot be made current: ") + SDL_GetError());
    if (!init_glew()) return failed("GLEW cannot load the GL entry points");
    return hidden;
}

void close_hidden_gl_window(HiddenGlWindow& hidden) {
    release_gl_context(hidden.gl_context);
    close_window(hidden.window);
    hidden = {};
}
