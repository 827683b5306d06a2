#pragma once
// The arithmetic of the loading screen: how reported load steps become progress, and where the
// ring's arc runs. The ring grows clockwise from 12 o'clock; progress 50 closes it.
#include "core/vector3.h"

namespace loading_ring {

// show_loading_progress hands the loader step × callback_share; the loader's draw adds
// step × draw_share to its progress. A reported step s therefore adds s × 0.567 × 0.909.
inline constexpr double callback_share = 0.567;
inline constexpr double draw_share = 0.909;
// Below this progress ring and logo are drawn black.
inline constexpr double visible_from = 2.0;
inline constexpr int steps = 1000;
inline constexpr float inner_radius = 4.0f, outer_radius = 4.3f;
inline constexpr float inner_fringe = 3.98f, outer_fringe = 4.32f;
inline constexpr float logo_half_size = 4.1f;

// Progress after the loader's draw is called with step.
inline double advanced(double progress, double step) { return progress + step * draw_share; }
// 1 once the ring shows, 0 before.
inline float brightness(double progress) { return progress >= visible_from ? 1.0f : 0.0f; }
// Angle of arc step i (0..steps-1), radians clockwise from 12 o'clock.
double angle(double progress, int i);
// The point of arc step i at radius r: (r·sin θ, r·cos θ, 0).
Vector3 point(double progress, int i, float radius);

}  // namespace loading_ring
