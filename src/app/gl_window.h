#pragma once
// The show window's life: creation with its GL context and the whole start-up, the default
// projection, and the release at the end. Every failure is reported with its message box.

// The show window's title.
inline constexpr const char* window_title = " =  Brinefall by OVK vs Quietglyph - 2010 = ";

// Opens the window (full screen switches the display to width x height, and offers windowed mode
// when the display has no such mode), makes its GL context current, sets the default projection
// and runs init_gl. False after a message box when the window or context cannot be made; nothing
// is left open then. bits is the colour depth asked for (the show always asks for 32).
bool create_gl_window(const char* title, int width, int height, int bits, bool fullscreen);

// Releases whatever exists, in reverse order of creation: the desktop's display mode and the
// cursor first, then the context and the window. Safe after a creation that stopped half-way,
// and a second time.
void kill_gl_window();

// Viewport of width x height (a height of 0 counts as 1) and a 45-degree perspective projection
// from 0.1 to 100; leaves the identity model-view matrix selected.
void resize_gl_scene(int width, int height);

// The fixed GL defaults: smooth shading, clear colour and depth, depth test (less or equal),
// nicest perspective correction. Capture sets them too before its own start-up.
void set_gl_defaults();

// The fixed GL defaults, then the show's start-up. Always true: start-up failures end the
// process themselves.
bool init_gl();
