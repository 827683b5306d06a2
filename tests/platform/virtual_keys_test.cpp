#include "platform/virtual_keys.h"

#include <gtest/gtest.h>

TEST(VirtualKeys, ShowKeysGetTheClassicNumbers) {
    EXPECT_EQ(virtual_key(SDLK_ESCAPE), key_escape);
    EXPECT_EQ(key_escape, 27);
    EXPECT_EQ(virtual_key(SDLK_SPACE), 32);
    EXPECT_EQ(virtual_key(SDLK_LEFT), 37);
    EXPECT_EQ(virtual_key(SDLK_UP), 38);
    EXPECT_EQ(virtual_key(SDLK_RIGHT), 39);
    EXPECT_EQ(virtual_key(SDLK_DOWN), 40);
}

TEST(VirtualKeys, DigitsAndLettersMapToTheirUpperCaseCharacters) {
    for (int d = 0; d <= 9; ++d) EXPECT_EQ(virtual_key(SDLK_0 + d), 48 + d) << d;
    for (int l = 0; l < 26; ++l) EXPECT_EQ(virtual_key(SDLK_a + l), 65 + l) << char('a' + l);
    EXPECT_EQ(virtual_key(SDLK_q), 'Q');
    EXPECT_EQ(virtual_key(SDLK_a), 'A');
}

TEST(VirtualKeys, TheRestOfTheTable) {
    EXPECT_EQ(virtual_key(SDLK_RETURN), 13);
    EXPECT_EQ(virtual_key(SDLK_TAB), 9);
    EXPECT_EQ(virtual_key(SDLK_BACKSPACE), 8);
    EXPECT_EQ(virtual_key(SDLK_LSHIFT), 16);
    EXPECT_EQ(virtual_key(SDLK_RSHIFT), 16);
    EXPECT_EQ(virtual_key(SDLK_RCTRL), 17);
    EXPECT_EQ(virtual_key(SDLK_LALT), 18);
    EXPECT_EQ(virtual_key(SDLK_PAGEUP), 33);
    EXPECT_EQ(virtual_key(SDLK_HOME), 36);
    EXPECT_EQ(virtual_key(SDLK_DELETE), 46);
    EXPECT_EQ(virtual_key(SDLK_F1), 112);
    EXPECT_EQ(virtual_key(SDLK_F12), 123);
    EXPECT_EQ(virtual_key(SDLK_KP_0), 96);
    EXPECT_EQ(virtual_key(SDLK_KP_9), 105);
    EXPECT_EQ(virtual_key(SDLK_KP_PLUS), 107);
    EXPECT_EQ(virtual_key(SDLK_COMMA), 188);
}

TEST(VirtualKeys, KeysWithoutAnEquivalentGiveZeroAndEveryCodeFitsTheTable) {
    EXPECT_EQ(virtual_key(SDLK_UNKNOWN), 0);
    EXPECT_EQ(virtual_key(SDLK_MODE), 0);
    EXPECT_EQ(virtual_key(SDLK_AUDIOPLAY), 0);
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const int vk = virtual_key(SDL_SCANCODE_TO_KEYCODE(scancode));
        EXPECT_GE(vk, 0);
        EXPECT_LT(vk, 256);
    }
}
