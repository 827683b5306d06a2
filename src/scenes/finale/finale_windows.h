#pragma once
// When the final scene's passes run and its content groups draw, on the scene clock. Windows are
// open at both ends (kit ClockWindow).
#include <array>

#include "scenes/kit/element_window.h"

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
// Every element is drawn in every pass that runs unless it says otherwise. Windows marked chosen
// are this scene's own (the show leaves them open); each comment says how the element comes and
// goes without being cut off on screen.
//
// The colony on the ground (for the whole scene), and the single ants (one switches to a new
// path at 10.88).
inline constexpr ElementWindow colony{{-never, never}};
inline constexpr std::array<ElementWindow, 4> single_ants = {
    {{{7.5, 13.5}}, {{9.41, 11.5}}, {{15.8, never}}, {{16.0, 37.0}}}};
inline constexpr double ant_switch = 10.88;
// The tubes grow out of the ground among the ants and stay.
inline constexpr ElementWindow tubes{{-never, never}};
// The wall's pieces fly from 54 and come to rest where their paths end. The wall stands whole
// from 44 (chosen: it rises out of the ground, see draw_wall, before the camera turns to it).
inline constexpr ElementWindow wall{{44.0, never}, in_every_pass, true};
inline constexpr double flight_from = 54.0;
// Runners cross the field between the wall and the house, from out of the picture on the right
// to out of it on the left (chosen); walkers go up the path into the house, through its door
// (chosen: they are gone inside before their window closes).
inline constexpr ElementWindow runners{{52.0, 78.0}, in_every_pass, true};
inline constexpr ElementWindow walkers{{60.0, 125.0}, in_every_pass, true};
inline constexpr ElementWindow house{{-never, never}};
// The moon, not in the light or the mirrored pass. It sinks into the night with the sky and is
// black by 98.3; it goes at 99 (chosen), before the glow rises behind it.
inline constexpr ElementWindow moon{{62.7, 99.0}, in_main, true};
// The big tree: its trunk until 89, its leaves 63-88; then the moving tree, trunk and leaves
// while both of its windows hold.
inline constexpr ElementWindow tree_trunk{{-never, 89.0}};
inline constexpr ElementWindow tree_leaves{{63.0, 88.0}};
inline constexpr ElementWindow moving_tree{{79.0, 105.0}};
inline constexpr ElementWindow moving_tree_parts{{81.0, 103.0}};
inline constexpr ElementWindow diver{{79.0, never}};
inline constexpr double faces_from = 87.8;
// Face groups 3, 0, 1, 2 vanish at these times, in the two copies.
inline constexpr std::array<double, 4> face_ends_a = {115.0, 115.3, 115.4, 115.5};
inline constexpr std::array<double, 4> face_ends_b = {115.15, 115.7, 115.9, 115.8};
inline constexpr std::array<int, 4> face_groups = {3, 0, 1, 2};
inline constexpr ElementWindow extra_face{{91.0, 116.0}};
// The mosaic face's halves: group 0 until 120, group 1 until 121 (121.5 in the light pass
// copy, 121.3 for the copy drawn outside it).
inline constexpr double mosaic_upper_end = 120.0, mosaic_lower_end = 121.0;
inline constexpr double mosaic_light_end = 121.5, mosaic_view_end = 121.3;
// How long before vanishing a face cracks apart.
inline constexpr double shatter_lead = 2.5;
// The glowing card behind the credits, not in the mirrored pass (chosen: nor in the light pass,
// where it would change nothing, as it writes no depth).
inline constexpr ElementWindow backdrop{{116.0, never}, in_main, true};
// The credits, not in the light or the mirrored pass.
inline constexpr ElementWindow credits{{121.0, never}, in_main};
// Each credits line comes in at its own time: title, year (Asm1), then the two groups (Asm2).
inline constexpr std::array<double, 4> credit_line_starts = {121.0, 124.0, 130.5, 133.5};
// "isCredits" of the credits material is set for t > 105.
inline constexpr double credits_material_after = 105.0;
// The point and billboard layers: sparks, fireflies, dust, fireflies at the house, pollen,
// embers. They start at the show's times and fade out by their chosen ends; they write no depth,
// so the light pass leaves them out (chosen), where they would change nothing.
inline constexpr std::array<ElementWindow, 6> layers = {{
    {{91.0, never}, in_mirrored | in_main, true},
    {{60.0, 105.0}, in_mirrored | in_main, true},
    {{60.0, 121.0}, in_mirrored | in_main, true},
    {{60.0, 105.0}, in_mirrored | in_main, true},
    {{80.0, 105.0}, in_mirrored | in_main, true},
    {{90.0, never}, in_mirrored | in_main, true},
}};
// The sky, drawn last; chosen: not in the light pass, where it would change nothing.
inline constexpr ElementWindow sky{{-never, never}, in_mirrored | in_main, true};
// The wet ground is the mirror: not in the mirrored pass (chosen, the show has no ground); nor
// in the light's, where nothing lies below it to take its shadow and its own depth would only
// tell the ground it is lit.
inline constexpr ElementWindow ground{{-never, never}, in_main, true};

}  // namespace finale
