#pragma once
// The setup dialog: a small window of its own, before the show window exists, offering the
// resolutions and the four options. It only draws and forwards the viewer's clicks; what the
// lines say and what "Run ... " decides is in setup_choice.h.
#include <vector>

#include "app/setup_choice.h"

inline constexpr const char* setup_caption = "      Brinefall - OVK vs quietglyph - 2010 ";

enum class SetupAnswer {
    run,          // "Run ... " (or Enter): options and selected hold the viewer's choice
    quit,         // "Quit", Escape or the window's close button
    unavailable,  // the dialog window could not be opened
};

// Shows the dialog until the viewer answers. options and selected (an index into modes, see
// preselected_mode) come in as the initial state and go out as the viewer left them; a render
// scale still unchosen becomes preselected_render_scale of the dialog's GL renderer.
SetupAnswer show_setup_dialog(const std::vector<DisplayMode>& modes, SetupOptions& options, int& selected);
