#pragma once
// What the setup dialog shows and what its "Run ... " button decides, apart from drawing it.
#include <string>
#include <vector>

#include "platform/display_modes.h"

struct AppState;

// The four check boxes, with the dialog's initial ticks.
struct SetupOptions {
    bool antialiased = true;
    bool windowed = false;
    bool force_16_9 = true;
    bool low_spec = false;
};

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
    int render_width = 0, render_height = 0;
    bool low_spec = false;
    bool antialias = false;
};
SetupChoice run_choice(DisplayMode mode, const SetupOptions& options);

// Writes the choice into the application state.
void apply_choice(const SetupChoice& choice, AppState& app);
