#pragma once
// When each content group of the toys scene draws, in clock seconds (open windows; "never"
// leaves a side unbounded). Rules that depend on the pass as well live with their groups.
#include "scenes/kit/clock_window.h"

namespace toys {

inline constexpr ClockWindow mirrored_pass_window{-never, 21.0};
// The crowd's other figures stand only in the opening seconds; the light stops seeing the crowd.
inline constexpr ClockWindow whole_crowd_window{-never, 0.0};
inline constexpr ClockWindow head_carriers_window{0.0, never};
// Traffic: the hatchback whole, then two waves of cars built from their parts.
inline constexpr ClockWindow hatchback_window{9.0, 30.0};
inline constexpr ClockWindow first_cars_window{-never, 39.0};
inline constexpr ClockWindow second_cars_window{-never, 67.0};
// The pavement plates go one by one as the sea comes in.
inline constexpr ClockWindow plate_windows[3] = {{-never, 96.0}, {-never, 95.0}, {-never, 95.3}};
inline constexpr ClockWindow bridge_window{98.0, never};
// The floor, from the cut at 0 until the sea takes its place. Before 0 the crowd's back row
// walks 3.2 lower than the two in front, deeper than its hips below the floor, so the
// opening glide keeps the open night.
inline constexpr ClockWindow ground_window{0.0, 89.0};
inline constexpr ClockWindow rain_window{-never, 104.0};
inline constexpr ClockWindow swarm_window{107.0, never};

// Half-open at their start ("from t on").
inline constexpr double sea_from = 89.0;
inline constexpr double toys_from = 107.5;
inline bool sea_shown(double t) { return t >= sea_from; }
inline bool toys_shown(double t) { return t >= toys_from; }

}  // namespace toys
