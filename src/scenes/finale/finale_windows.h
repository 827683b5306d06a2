#pragma once
// When the final scene's passes run and its content groups draw, on the scene clock. Windows are
// open at both ends (kit ClockWindow).
#include <array>

#include "scenes/kit/clock_window.h"

namespace finale {

// ---- passes ----
// The light pass rests while the tree and the diver have the picture: it runs for t <= 67.5
// and t >= 89.1.
inline constexpr ClockWindow light_pass_rest{67.5, 89.1};
// The wet ground mirrors the scene until the wall has fallen.
inline constexpr ClockWindow mirrored_pass{-never, 66.5};
// Closed at their starts: the glow texture from 99.5, the window's glow around bright parts
// from 51.8.
inline constexpr double glow_from = 99.5;
inline constexpr double set_blur_from = 51.8;
// Light shafts over the highlights (strictly after).
inline constexpr double shafts_after = 113.3;

inline bool light_pass(double t) { return !light_pass_rest.holds(t); }
inline bool glow_pass(double t) { return t >= glow_from; }

// ---- content ----
// The colony on the ground, and the single ants (one switches to a new path at 10.88).
inline constexpr ClockWindow colony{-never, 50.0};
inline constexpr std::array<ClockWindow, 4> single_ants = {
    {{7.5, 13.5}, {9.41, 11.5}, {15.8, never}, {16.0, 37.0}}};
inline constexpr double ant_switch = 10.88;
// The tubes grow out of the ground among the ants.
inline constexpr ClockWindow tubes{-never, 66.0};
// The wall stands from 44, flies apart from 54; the camera leaves its pieces behind by 66.
inline constexpr ClockWindow wall{44.0, 66.0};
inline constexpr double flight_from = 54.0;
// Runners and walkers cross the field between the wall and the house.
inline constexpr ClockWindow runners{52.0, 78.0};
inline constexpr ClockWindow walkers{60.0, 96.0};
inline constexpr ClockWindow house{55.0, 99.0};
inline constexpr double moon_from = 62.7;
inline constexpr double moon_until = 99.0;  // gone with the sky
// The big tree: its trunk until 89, its leaves 63-88; then the moving tree.
inline constexpr ClockWindow tree_trunk{-never, 89.0};
inline constexpr ClockWindow tree_leaves{63.0, 88.0};
inline constexpr ClockWindow moving_tree{79.0, 105.0};
inline constexpr ClockWindow moving_tree_parts{81.0, 103.0};
inline constexpr ClockWindow diver{79.0, 121.5};
inline constexpr double faces_from = 87.8;
// Face groups 3, 0, 1, 2 vanish at these times, in the two copies.
inline constexpr std::array<double, 4> face_ends_a = {115.0, 115.3, 115.4, 115.5};
inline constexpr std::array<double, 4> face_ends_b = {115.15, 115.7, 115.9, 115.8};
inline constexpr std::array<int, 4> face_groups = {3, 0, 1, 2};
inline constexpr ClockWindow extra_face{91.0, 116.0};
// The mosaic face's halves: group 0 until 120, group 1 until 121 (121.5 in the light pass
// copy, 121.3 for the copy drawn outside it).
inline constexpr double mosaic_upper_end = 120.0, mosaic_lower_end = 121.0;
inline constexpr double mosaic_light_end = 121.5, mosaic_view_end = 121.3;
// How long before vanishing a face cracks apart.
inline constexpr double shatter_lead = 2.5;
inline constexpr double backdrop_from = 116.0;
inline constexpr double credits_from = 121.0;
// Each credits line comes in at its own time: title, year (Asm1), then the two groups (Asm2).
inline constexpr std::array<double, 4> credit_line_starts = {121.0, 124.0, 130.5, 133.5};
// The point and billboard layers: motes, fireflies, stars, dust, drifting sparks, embers.
inline constexpr std::array<double, 6> layer_starts = {91.0, 60.0, 60.0, 60.0, 80.0, 90.0};

}  // namespace finale
