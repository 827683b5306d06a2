#include "platform/clipboard.h"

#include <SDL2/SDL.h>

bool copy_to_clipboard(const std::string& text) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    return SDL_SetClipboardText(text.c_str()) == 0;
}
