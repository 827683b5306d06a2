#pragma once
// When each element of the middle scene draws, in seconds of the scene clock, and in which passes
// (the scene runs a light pass and a main pass; every element is drawn in both unless it says
// otherwise). Windows are open at both ends (kit/clock_window.h); `never` leaves an end open.
// Elements whose window is marked chosen have one the show leaves to this scene: they rise out
// of the stage floor after their window opens and sink back into it before it closes
// (paper_groups.cpp), so none is cut off on screen.
#include <array>

#include "scenes/kit/element_window.h"

namespace middle {

inline constexpr ElementWindow city{{-never, 49.3}};
// The small white houses at the front stand through the whole scene.
inline constexpr ElementWindow houses{{-never, never}};
inline constexpr ElementWindow robot{{-never, 19.0}};
inline constexpr ElementWindow sun{{-never, 24.0}};
inline constexpr ElementWindow sequence_figure{{-never, 51.0}};
inline constexpr ElementWindow aeroplane{{-never, 51.05}};
inline constexpr ElementWindow long_strip{{34.0, never}};
inline constexpr ElementWindow waves{{17.0, 52.0}};
// The first shoal (lists 2000, 2100, 2300) and the full one (all six).
inline constexpr ElementWindow first_shoal{{17.0, 31.0}};
inline constexpr ElementWindow full_shoal{{26.0, 42.0}};

// The ropes. The single rope hangs from 22.5; its end is led along a path from 33.5 to 37.5 and
// it grows lighter from 34.5. Its line is drawn while t < 49.7, which the rope's own window
// already ends.
inline constexpr ElementWindow rope_field{{-never, 35.0}};
inline constexpr ElementWindow single_rope{{22.5, 40.0}};
inline constexpr ClockWindow rope_led{33.5, 37.5};
inline constexpr ClockWindow rope_light{34.5, never};
inline constexpr ElementWindow rope_line{{-never, 49.7}};

// Ants: a file crossing the ground early on, the rest with the crowd at the end.
inline constexpr ElementWindow early_ants{{9.26, 14.0}};
inline constexpr ElementWindow late_ants{{68.0, never}};

// The "IsMan" material's elements: the forks, the running crowd, the temple.
inline constexpr ElementWindow forks{{53.1, never}};
inline constexpr ElementWindow crowd{{68.0, never}};
inline constexpr ElementWindow temple_frame{{53.0, never}};
// Columns rise one window after another.
inline constexpr std::array<ElementWindow, 4> columns = {
    {{{49.5, 53.1}}, {{50.4, 55.3}}, {{52.4, 57.5}}, {{55.0, 63.1}}}};
// The row of cut-out people is not in the light pass. It stands after the overlay, from 63 (a
// choice: before the overlay the sequence figure runs the same frames mid-stage).
inline constexpr ElementWindow people_row{{63.0, never}, in_main, true};

// What the show leaves to this scene: the floor and backdrop (they only receive shadows, so
// the light pass skips them), the clouds over the city, the skylines and the strands.
inline constexpr ElementWindow backdrop{{-never, never}, in_main, true};
inline constexpr ElementWindow clouds{{-never, 34.0}, in_every_pass, true};
inline constexpr ElementWindow curly_clouds{{26.0, 52.0}, in_every_pass, true};
inline constexpr ElementWindow skylines{{40.0, 63.1}, in_every_pass, true};
inline constexpr ElementWindow strands{{42.0, 63.1}, in_every_pass, true};

// The clear colour turns from black to warm paper.
inline constexpr double warm_clear_from = 45.32;

}  // namespace middle
