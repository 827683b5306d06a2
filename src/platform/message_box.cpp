#include "platform/message_box.h"

#include <SDL2/SDL.h>

#include <cstdio>

namespace {

// Capture and tests turn this off before anything can raise a box.
bool interactive_boxes = true;

Uint32 icon_flag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::information:
            return SDL_MESSAGEBOX_INFORMATION;
        case MessageIcon::exclamation:
            return SDL_MESSAGEBOX_WARNING;
        case MessageIcon::stop:
            return SDL_MESSAGEBOX_ERROR;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

}  // namespace

void set_message_boxes_interactive(bool interactive) { interactive_boxes = interactive; }

MessageAnswer message_box(const std::string& caption, const std::string& text, MessageButtons buttons,
                          MessageIcon icon) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    const MessageAnswer fallback = buttons == MessageButtons::yes_no ? MessageAnswer::yes : MessageAnswer::ok;
    if (!interactive_boxes || !SDL_WasInit(SDL_INIT_VIDEO)) return fallback;

    const SDL_MessageBoxButtonData ok_button[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
         static_cast<int>(MessageAnswer::ok), "OK"}};
    // SDL lays buttons out right to left, so "No" comes first to read "Yes  No".
    const SDL_MessageBoxButtonData yes_no_buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, static_cast<int>(MessageAnswer::no), "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, static_cast<int>(MessageAnswer::yes), "Yes"}};
    SDL_MessageBoxData data{};
    data.flags = icon_flag(icon);
    data.title = caption.c_str();
    data.message = text.c_str();
    if (buttons == MessageButtons::yes_no) {
        data.numbuttons = 2;
        data.buttons = yes_no_buttons;
    } else {
        data.numbuttons = 1;
        data.buttons = ok_button;
    }
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) return fallback;
    return static_cast<MessageAnswer>(pressed);
}
