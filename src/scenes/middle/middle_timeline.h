#pragma once
// The middle scene's curves of its own clock t: the fades, the blur of the window compose, the
// occlusion strength, the lens, and which slab of the image sequence shows.
#include <cstdint>

#include "core/easing.h"
#include "core/vector3.h"
#include "render/post_processing.h"

namespace middle {

inline constexpr int sequence_frames = 257;

// The grey level the window quad is drawn with (0.5 the picture as it is, 0 black).
double grey_value(double t);
// "Limit" of the window compose.
double blur_amount(double t);
// "SetBlur" of the window compose: the glow comes on after 51.8.
float set_blur(double t);
// Everything the window compose is given at t: dsp is the frame's spectrum value, shake the
// frame's shake (x, y), which streaks the picture ("MotionBlur") while motion_blur_weight allows.
ComposeUniforms compose_uniforms(double t, float dsp, const double (&shake)[2]);
// "SSAOFactor" of the occlusion combine.
double ssao_factor(double t);
// The weight of the shake streak in "MotionBlur" (ease_cos(m, 1)).
double motion_blur_weight(double t);
// The gain q of the shake: 1, swelling to 15 around t = 2..4.5.
double shake_gain(double t);
// The shake sample's offset into the track: 2, and 120 from t = 73.
double shake_offset(double t);
// Vertical field of view of the scene passes: 60°, narrowing to 38° around t = 59..61.
double field_of_view(double t);
// The scene passes' near and far planes.
inline constexpr double near_plane = 0.2, far_plane = 1500.0;
// The occlusion combine projects through the view camera with a lens of its own.
inline constexpr double projector_fov = 60.0, projector_near = 1.0, projector_far = 1500.0;
// "ScaleDown" of the general material.
double scale_down(double t);

// "LightDown" of the general material: how far the stage lamp dims, breathing slowly.
double light_down(double t);

// The sequence frame the running figure shows: trunc(max(30·t + 390, 0)) mod 257.
int sequence_frame(double t);
// The frame cut-out person j of the row shows, for its random r in 0..1.
int person_frame(double t, int j, double r);
// Where a person stands for a frame's marker, in the row's own units.
Vector3 person_position(const Vector3& marker);

}  // namespace middle
