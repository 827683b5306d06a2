#pragma once
// The final scene's curves: the sky and the clear colour, the compose's values, the field of
// view, and the ending that follows the music's fade.
#include <array>

#include "core/easing.h"
#include "render/post_processing.h"

namespace finale {

// The clear colour: night blue turning towards a dusky brown from 45.8, up from black over
// 30-34 and down to black again after 95.
std::array<float, 3> clear_colour(double t);
// 1 while the sky shows, falling to 0 over 95 to 98.3 (the same fall as the clear colour).
double sky_level(double t);

// The compose's grey: 0.5 · E(0.1, 0.6), i.e. the picture as it is for every clock value the
// scene shows.
double grey_value(double t);
// The shafts' length: clamp((t − 115.7)·0.15, 0, 1).
double shaft_limit(double t);
double set_blur(double t);
// Everything the window compose is given at t: "Limit" is the developer value adjust_a, dsp the
// frame's spectrum value, and streak the camera's turn since the last frame ("TheVelocity").
ComposeUniforms compose_uniforms(double t, double adjust_a, float dsp, const float (&streak)[2]);

// Field of view of the scene pass, degrees: wide down among the ants, narrowing as the camera
// rises, a long lens for the credits.
double field_of_view(double t);
// The scene passes' near and far planes.
inline constexpr double near_plane = 0.2, far_plane = 500.0;
// The occlusion combine projects through the view camera with a lens of its own.
inline constexpr double projector_fov = 60.0, projector_near = 1.0, projector_far = 1500.0;

// The glow behind the credits: rises from 99.5 and follows the ending.
double glow_level(double t, double show_time);
// 1 until the music starts its fade at 495 s of show time, then easing to 0 at 505 s: the
// lettering and the glow go down with the music instead of being cut off at the end.
double ending_level(double show_time);
inline constexpr double music_fade_from = 495.0, music_fade_to = 505.0;

}  // namespace finale
