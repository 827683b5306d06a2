#pragma once
// Cameras as data. A scene's view is a base shot (a function of its clock) pulled toward further
// shots in turn: cue k weighs w = ease_cos(clamp(rate_k · (s − start_k), 0, 1), exponent_k),
// nothing before its start and everything once rate_k · (s − start_k) reaches 1.
#include <span>

#include "core/matrix4.h"
#include "core/vector3.h"

struct CameraRecord;

struct Shot {
    Vector3 eye, centre, up;
};

struct ShotCue {
    double start;     // clock value where the shot begins to pull
    double rate;      // 1 / duration of the pull in clock seconds
    double exponent;  // ease_cos shape
    Shot (*at)(double s);
};

// Weight of a cue at clock s: 0 before its start, 1 once it has fully taken over.
double shot_weight(const ShotCue& cue, double s);

// `base` pulled through every cue in order. A cue of weight 0 leaves the camera exactly as it is.
Shot blend_shots(Shot base, std::span<const ShotCue> cues, double s);

// eye + (target − eye)·w for eye, centre and up.
Shot mix_shots(const Shot& a, const Shot& b, double w);

// An up vector for looking from eye to centre: the shot's own unless the view runs (almost)
// along it, where a look-at has no defined roll; then `fallback` keeps the picture from
// collapsing for that frame.
Vector3 steady_up(const Shot& shot, const Vector3& fallback = {Vector3::ordinary, 0.0f, 0.0f, -1.0f});

// The camera with a lens of its own: the occlusion combine's projector is the view seen through
// another field of view (degrees) and depth range.
CameraRecord with_lens(CameraRecord camera, double fov, double near_distance, double far_distance);

// The record's perspective into the projection matrix and its look-at (with a steady up) into
// the modelview matrix, which is left current.
void apply_camera(const CameraRecord& camera);
// The two matrices apply_camera loads, worked out without the GL (for tests of what a camera
// sees while another one draws).
Matrix4 camera_modelview(const CameraRecord& camera);
Matrix4 camera_projection(const CameraRecord& camera);
