#pragma once
// The show indexes its key table by the classic desktop virtual-key numbers (Escape 27, space 32,
// arrows 37-40, digits 48-57, letters 65-90 upper case, F1-F12 112-123, ...). SDL reports its own
// key codes; this is the translation.
#include <SDL2/SDL_keycode.h>

inline constexpr int key_escape = 27;
inline constexpr int key_space = 32;
inline constexpr int key_left = 37;
inline constexpr int key_up = 38;
inline constexpr int key_right = 39;
inline constexpr int key_down = 40;

// The virtual-key number of an SDL key code, 1..255; 0 for keys without a classic equivalent.
int virtual_key(SDL_Keycode key);
