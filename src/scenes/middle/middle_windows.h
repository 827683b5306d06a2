#pragma once
// When each element of the middle scene draws, in seconds of the scene clock. Windows are open
// at both ends (kit/clock_window.h); `never` leaves an end open.
#include <array>

#include "scenes/kit/clock_window.h"

namespace middle {

inline constexpr ClockWindow city{-never, 49.3};
inline constexpr ClockWindow robot{-never, 19.0};
inline constexpr ClockWindow sun{-never, 24.0};
inline constexpr ClockWindow sequence_figure{-never, 51.0};
inline constexpr ClockWindow aeroplane{-never, 51.05};
inline constexpr ClockWindow long_strip{34.0, never};
inline constexpr ClockWindow waves{17.0, 52.0};
// The first shoal (lists 2000, 2100, 2300) and the full one (all six).
inline constexpr ClockWindow first_shoal{17.0, 31.0};
inline constexpr ClockWindow full_shoal{26.0, 42.0};

// The ropes. The single rope hangs from 22.5; its end is led along a path from 33.5 to 37.5 and
// it grows lighter from 34.5. Its line is drawn while t < 49.7, which the rope's own window
// already ends.
inline constexpr ClockWindow rope_field{-never, 35.0};
inline constexpr ClockWindow single_rope{22.5, 40.0};
inline constexpr ClockWindow rope_led{33.5, 37.5};
inline constexpr ClockWindow rope_light{34.5, never};
inline constexpr ClockWindow rope_line{-never, 49.7};

// Ants: a file crossing the ground early on, the rest with the crowd at the end.
inline constexpr ClockWindow early_ants{9.26, 14.0};
inline constexpr ClockWindow late_ants{68.0, never};

// The "IsMan" material's elements.
inline constexpr ClockWindow forks{53.1, never};
inline constexpr ClockWindow late_figures{68.0, never};
inline constexpr ClockWindow temple_frame{53.0, never};
// Columns rise one window after another.
inline constexpr std::array<ClockWindow, 4> columns = {
    {{49.5, 53.1}, {50.4, 55.3}, {52.4, 57.5}, {55.0, 63.1}}};

// What the show leaves to this scene: the clouds over the city, the skylines, the strands, the
// crowd running across the early city, and the row of cut-out people after the overlay.
inline constexpr ClockWindow clouds{-never, 34.0};
inline constexpr ClockWindow curly_clouds{26.0, 52.0};
inline constexpr ClockWindow skylines{40.0, 63.1};
inline constexpr ClockWindow early_crowd{3.0, 17.5};
inline constexpr ClockWindow strands{42.0, 63.1};
inline constexpr ClockWindow people_row{63.0, never};

// The clear colour turns from black to warm paper.
inline constexpr double warm_clear_from = 45.32;

}  // namespace middle
