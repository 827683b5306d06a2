#pragma once
// The scene roster and the constructors start-up fills it with.
//
// The show module cannot know the scene classes (they are built on top of it), so the program
// hands start-up a table of constructors before it runs: the show's own table comes from
// src/scenes (show_scene_factories), capture wraps it, tests pass their own. An empty
// constructor leaves its slot empty and the frame driver skips it.
#include <array>
#include <functional>

#include "show/parts.h"

inline constexpr int roster_slots = 9;  // slots 0..3 hold the show's scenes, 4..8 stay empty
inline constexpr int show_scene_count = 4;

struct Roster {
    std::array<parts*, roster_slots> slots{};
    parts* loader = nullptr;
};

using SceneFactory = std::function<parts*()>;

struct SceneFactories {
    SceneFactory loader;                           // the loading screen
    std::array<SceneFactory, show_scene_count> scenes;  // slot order: opening, toys, middle, final
};
