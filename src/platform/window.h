#pragma once
// The show window: one SDL window with a compatibility-profile OpenGL context (RGBA8 with alpha,
// 24-bit depth, double buffered). The steps are separate because the shell reports each failure
// with its own message; open_hidden_gl_window does them all for capture and tests.
//
// Every function here needs the video subsystem (init_video) and runs on the main thread.
#include <string>

struct SDL_Window;

enum class WindowKind {
    windowed,    // captioned, not resizable, at (50, 50)
    fullscreen,  // at (0, 0), display switched to the window's size (see fullscreen_mode_available)
    hidden,      // never shown: off-screen rendering for capture and tests
};

// Starts SDL's video subsystem; false when there is no display to talk to (SDL's off-screen and
// dummy stand-ins count as none unless SDL_VIDEODRIVER names them). Safe to call again.
bool init_video();

// True when the display offers a mode of exactly width x height, so a full-screen window of that
// size can switch to it. The switch itself happens when the full-screen window is opened and is
// undone by close_window.
bool fullscreen_mode_available(int width, int height);

// Opens the window whose client area is width x height; null on failure. The GL attributes of the
// context (RGBA8, depth 24, double buffer, compatibility profile) are set here, before creation.
// A full-screen window switches the display mode; a failed switch closes it and returns null.
SDL_Window* open_window(const char* title, int width, int height, WindowKind kind);

// Creates the window's GL context and makes it current; null on failure.
void* create_gl_context(SDL_Window* window);
bool make_gl_current(SDL_Window* window, void* gl_context);

// Resolves the GL extension entry points for the current context (GLEW); false on failure.
bool init_glew();

// Raises the window and gives it the keyboard focus.
void bring_to_front(SDL_Window* window);
void set_cursor_visible(bool visible);
void swap_window(SDL_Window* window);

// Size of the window's drawable area in pixels.
void drawable_size(SDL_Window* window, int* width, int* height);

// Gives the display its desktop mode back if the window had switched it. Null is ignored.
void restore_desktop_mode(SDL_Window* window);

// Makes no context current and deletes the context; false when the context could not be made
// non-current (it is deleted all the same). Null is ignored.
bool release_gl_context(void* gl_context);
// Destroys the window; a full-screen window gives the display its desktop mode back first.
// Null is ignored.
void close_window(SDL_Window* window);

// A hidden window of the given size with its context current and GLEW initialised, for programs
// that render off screen. Both members are null when any step failed (nothing is left open), and
// `error` then says which step and why.
struct HiddenGlWindow {
    SDL_Window* window = nullptr;
    void* gl_context = nullptr;
    std::string error;
};
HiddenGlWindow open_hidden_gl_window(int width, int height);
void close_hidden_gl_window(HiddenGlWindow& hidden);
