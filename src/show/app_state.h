#pragma once
// The process-wide application state: what the setup dialog chose, the window's sizes, the input
// the window procedure records, and the quit request. One instance, read and written by the
// application shell (src/app), the frame driver and start-up (src/show), and capture.
#include <cstdint>
#include <string>

struct SDL_Window;

struct AppState {
    // Chosen in the setup dialog.
    bool fullscreen = false;
    int window_width = 0, window_height = 0;    // client area (and display mode in full screen)
    int render_width = 0, render_height = 0;    // area the scenes render: the picture times the
                                                // render scale
    int picture_width = 0, picture_height = 0;  // the picture's area in the window; 16:9 when forced
    bool render_scale_auto = false;             // start-up picks the render scale (render_*)
    bool antialias = false;                     // offered by the dialog, cleared by start-up
    bool low_spec = false;                      // "Low spec GPU": scenes pick cheaper shaders
    bool author_mode = false;                   // live controls and overlay (app/author_mode.h)

    // The show window and its GL context, while they exist (the shell's; capture keeps its own).
    SDL_Window* window = nullptr;
    void* gl_context = nullptr;

    // Window and input (the window procedure writes these).
    bool active = true;           // false while minimised: no frame is drawn
    uint8_t keys[256] = {};       // 1 while the virtual key with that code is held
    bool escape_pressed = false;  // Escape went down since the last idle pass, so a tap
                                  // shorter than a (slow) frame still starts the quit
    int wheel_total = 0;          // mouse-wheel notches so far, signed
    std::string capture_text;     // developer capture, put on the clipboard at quit
    bool quit_requested = false;  // set once, by Escape or a failed frame
    double quit_time = 0;         // show time at which quit_requested was set

    // Releases the window (and display mode) and ends the process with the exit code. The
    // program that owns the window installs it: the show's shell, or capture (which flushes
    // its output first). Start-up failures and the end of the show go through it.
    void (*end_process)(int exit_code) = nullptr;
};

AppState& app_state();
