#pragma once
// The modes of the primary display, as the display reports them.
#include <vector>

struct DisplayMode {
    int width = 0;
    int height = 0;
    bool operator==(const DisplayMode&) const = default;
};

// Every mode of the primary display in the order reported, duplicates included (modes that differ
// only in colour depth or refresh rate appear once per variant). Empty without a display.
std::vector<DisplayMode> list_display_modes();

// The desktop's current mode; {0, 0} without a display.
DisplayMode desktop_display_mode();
