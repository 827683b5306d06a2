#pragma once
// When each element of the toys scene is drawn, in clock seconds, and in which of the three
// scene passes: the light's (its shadow), the mirrored one (its reflection in the board, while
// t < 21) and the main one. Windows are open at both ends ("never" leaves a side unbounded)
// unless they say otherwise. The chess set's per-piece rules live in toys_chess.cpp.
//
// Windows marked chosen are this scene's own where its description leaves the choreography
// open; the comment beside each says why and how the element comes and goes.
#include "scenes/kit/element_window.h"

namespace toys {

inline constexpr ClockWindow mirrored_pass_window{-never, 21.0};

// The floor (chosen): from the cut at 0 until the sea takes its place; main pass only, as it
// casts nothing and would cover the board's reflection. Before 0 the crowd's back row walks
// 3.2 lower than the two in front, deeper than its hips below the floor, so the opening glide
// keeps the open night.
inline constexpr ElementWindow ground_window{{0.0, 89.0}, in_main, true};

// The crowd: figures 5 and 8 always, the light seeing them until t = 14 (inclusive); the
// others only before 0, and not mirrored.
inline constexpr ElementWindow crowd_front_window{{-never, never}, in_every_pass};
inline constexpr double crowd_light_until = 14.0;
inline constexpr ElementWindow crowd_back_window{{-never, 0.0}, in_light | in_main};
// The single figures with their balls, from 0 on, in every pass.
inline constexpr ElementWindow onlookers_window{{0.0, never}, in_every_pass};

// The traffic, never mirrored: the hatchback whole, then two waves of cars built from their
// parts; the tank (waiting out of sight below the world until 60), the wires, the old car
// (chosen: always, parked by the pavement once it has driven in) and the runners (chosen: from
// 41, when the pavement section starts from black); the pavement plates go one by one as the
// sea comes in.
inline constexpr ElementWindow hatchback_window{{9.0, 30.0}, in_light | in_main};
inline constexpr ElementWindow first_cars_window{{-never, 39.0}, in_light | in_main};
inline constexpr ElementWindow second_cars_window{{-never, 67.0}, in_light | in_main};
inline constexpr ElementWindow tank_window{{-never, never}, in_light | in_main};
inline constexpr ElementWindow wires_window{{-never, never}, in_light | in_main};
inline constexpr ElementWindow old_car_window{{-never, never}, in_light | in_main, true};
inline constexpr ElementWindow runners_window{{41.0, never}, in_light | in_main, true};
inline constexpr ElementWindow plate_windows[3] = {{{-never, 96.0}, in_light | in_main},
                                                   {{-never, 95.0}, in_light | in_main},
                                                   {{-never, 95.3}, in_light | in_main}};

// The tank section's maze (73 <= t < 89): the corridor floor in every pass, the ceiling copy
// and the far copy not from the light.
inline constexpr unsigned maze_floor_passes = in_every_pass;
inline constexpr unsigned maze_copies_passes = in_mirrored | in_main;

// The sea from 89 on, the transforming toys from 107.5 on (both inclusive); the toys in every
// pass, the sea not from the light (chosen: it lies below everything else, so nothing takes its
// shadow, and its own depth would only tell the water it is lit); the bridge from 98, not from
// the light.
inline constexpr double sea_from = 89.0;
inline constexpr double toys_from = 107.5;
inline bool sea_shown(double t) { return t >= sea_from; }
inline bool toys_shown(double t) { return t >= toys_from; }
inline constexpr unsigned sea_passes = in_mirrored | in_main;
inline constexpr unsigned toys_passes = in_every_pass;
inline constexpr ElementWindow bridge_window{{98.0, never}, in_mirrored | in_main};

// The two point fields, main pass only: the rain before 104, the swarm after 107.
inline constexpr ElementWindow rain_window{{-never, 104.0}, in_main};
inline constexpr ElementWindow swarm_window{{107.0, never}, in_main};

}  // namespace toys
