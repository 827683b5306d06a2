#pragma once
// What the setup dialog shows and what its "Run ... " button decides, apart from drawing it.
#include <string>
#include <string_view>
#include <vector>

#include "platform/display_modes.h"

struct AppState;

// "render scale" before anyone chose it: a --render-scale on the command line replaces it,
// else the dialog preselects the scale for the GL renderer (preselected_render_scale).
// run_choice reads it as 1.
inline constexpr double render_scale_unchosen = -1.0;

// The four check boxes, with the dialog's initial ticks.
struct SetupOptions {
    bool antialiased = true;
    bool windowed = false;
    bool force_16_9 = true;
    bool low_spec = false;
    // "render scale": the share of the picture's width and height the scenes render at, the
    // compose scaling their picture up to the window; 0 means "auto" (start-up measures).
    double render_scale = render_scale_unchosen;
    bool author_mode = false;  // live controls and an overlay (brinefall --author)
};

// The dialog's "render scale" choices, largest first; "auto" is listed after them.
inline constexpr double render_scales[] = {1.0, 0.75, 0.5, 0.35, 0.25};

// The resolution list's line for a mode: " W x H  (16:10)", " W x H  (16:9)", or " W x H" padded
// with seven blanks.
std::string resolution_line(DisplayMode mode);

// The line selected when the dialog opens: the last 1280 x 720, else the last 1024 x 768, else
// the first; -1 for an empty list.
int preselected_mode(const std::vector<DisplayMode>& modes);

// The dialog's results for "Run ... " with `mode` selected.
struct SetupChoice {
    bool fullscreen = false;
    int window_width = 0, window_height = 0;
    int render_width = 0, render_height = 0;    // the picture times the render scale
    int picture_width = 0, picture_height = 0;  // the picture's area in the window
    bool render_scale_auto = false;
    bool low_spec = false;
    bool antialias = false;
    bool author_mode = false;
};
SetupChoice run_choice(DisplayMode mode, const SetupOptions& options);

// True for the GL renderers that draw on the CPU: Mesa's llvmpipe, softpipe and swrast (which
// calls itself "Software Rasterizer"), whatever the case.
bool software_renderer(std::string_view renderer);

// The render scale the dialog offers first for the GL_RENDERER string: "auto" (0) on a software
// renderer, where the full picture size runs at a few frames per second; 1 on a GPU, so its
// viewer sees the full picture unless they ask for less.
double preselected_render_scale(std::string_view renderer);

// The dialog's text for a render scale: "1", "0.75", ...; "auto" for 0.
std::string render_scale_label(double scale);

// A render scale as given on a command line: 0.1..1, or "auto" (stored as 0). False otherwise.
bool parse_render_scale(std::string_view text, double& scale);

// Writes the choice into the application state.
void apply_choice(const SetupChoice& choice, AppState& app);
