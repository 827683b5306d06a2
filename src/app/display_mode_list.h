#pragma once
// The resolutions the setup dialog offers: the display's modes, landscape and not too wide or tall
// (aspect within 1.8 either way), at most 2047 pixels on a side, each size once, in the order the
// display reports them.
#include <vector>

#include "platform/display_modes.h"

// The reported modes that pass the filter, without repeats.
std::vector<DisplayMode> filter_display_modes(const std::vector<DisplayMode>& reported);

// The list for the dialog. A display whose every mode fails the filter still gets one line: the
// desktop's current mode, so that "Run ... " always has a resolution to read.
std::vector<DisplayMode> dialog_display_modes(const std::vector<DisplayMode>& reported, DisplayMode desktop);

// dialog_display_modes of the primary display.
std::vector<DisplayMode> enumerate_display_modes();
