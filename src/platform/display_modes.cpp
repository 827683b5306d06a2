#include "platform/display_modes.h"

#include <SDL2/SDL.h>

std::vector<DisplayMode> list_display_modes() {
    std::vector<DisplayMode> modes;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0) modes.push_back({mode.w, mode.h});
    }
    return modes;
}

DisplayMode desktop_display_mode() {
    SDL_DisplayMode mode;
    if (!SDL_WasInit(SDL_INIT_VIDEO) || SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
    return {mode.w, mode.h};
}
