#include "app/display_mode_list.h"

#include <algorithm>

namespace {

bool offered(DisplayMode mode) {
    if (mode.width <= 0 || mode.height <= 0) return false;
    const double w = mode.width, h = mode.height;
    return w / h <= 1.8 && h / w <= 1.8 && mode.width <= 2047 && mode.height <= 2047 &&
           mode.height <= mode.width;
}

}  // namespace

std::vector<DisplayMode> filter_display_modes(const std::vector<DisplayMode>& reported) {
    std::vector<DisplayMode> modes;
    for (DisplayMode mode : reported)
        if (offered(mode) && std::find(modes.begin(), modes.end(), mode) == modes.end())
            modes.push_back(mode);
    return modes;
}

std::vector<DisplayMode> dialog_display_modes(const std::vector<DisplayMode>& reported, DisplayMode desktop) {
    std::vector<DisplayMode> modes = filter_display_modes(reported);
    if (modes.empty() && desktop.width > 0 && desktop.height > 0) modes.push_back(desktop);
    return modes;
}

std::vector<DisplayMode> enumerate_display_modes() {
    return dialog_display_modes(list_display_modes(), desktop_display_mode());
}
