#pragma once
// What the opening's passes and final composite do at scene clock s: the pass switches, the
// projection, and the time curves that feed the composite ("Limit", "Flo", "MotionBlur" and the
// fade level). Plain functions of the clock, so the whole timeline can be checked without GL.
#include <array>

#include "render/post_processing.h"

namespace opening {

// The scene turns from the sea to the figures' world here: depth pre-pass on, light-shaft
// variant 2, composite program 64, narrower projection.
inline constexpr double world_change = 51.848;
// The background pre-pass (and the sea) stop here; highlight blur and shafts a moment later.
inline constexpr double sea_end = 51.8;
inline constexpr double shafts_end = 51.9;
// Between these the sea, its floor and the pre-pass give way to a dive (no pre-pass).
inline constexpr double dive_from = 27.0, dive_to = 30.8;
// The sky turns to day blue and the clock slows.
inline constexpr double daylight_from = 103.0;

bool runs_background_prepass(double s);  // s <= sea_end and s outside (dive_from, dive_to)
bool runs_depth_prepass(double s);       // s > world_change
bool runs_highlight_passes(double s);    // s < shafts_end
bool uses_late_programs(double s);       // s > world_change: godrays2 (47) and composite slot 64

// Field of view (degrees) the projector uses for the occlusion combine.
double projector_fov(double s);
// The scene pass's projection: field of view (degrees) and far plane.
double scene_fov(double s);
double scene_far(double s);
// The scene pass's clear colour (RGBA).
std::array<float, 4> clear_colour(double s);

// The composite's second "Limit" value; camera_z is the frame state's (0 unless a developer
// moved it).
double composite_limit(double s, double camera_z);
// The composite's second "Flo" value.
double composite_flo(double s);
// "MotionBlur": music-driven pulses after the visible part of the scene.
std::array<float, 3> composite_motion_blur(double s);
// Colour of the composite quad: 0 (picture as is) until s = 116, then rising to 1.
double fade_level(double s);

// Everything the window compose is given at clock s. camera_y and camera_z are the frame state's
// (0 unless a developer moved them): "PosY" takes camera_y clamped to 0..1, the last dip of
// "Limit" moves with camera_z.
ComposeUniforms compose_uniforms(double s, double camera_y, double camera_z);

}  // namespace opening
