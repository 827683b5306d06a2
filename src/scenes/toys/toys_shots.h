#pragma once
// The toys scene's cameras. The view camera is an orbit about the origin (the developer's camera
// values, all 0 in the show) overridden by the shots: the opening glide, the turn, the widening
// spiral, then one section of shots each from t = 7, 21, 41, 73 and 89, each a base shot pulled
// through its cues. The light camera follows the sections.
#include "core/vector3.h"
#include "scenes/kit/shots.h"

namespace toys {

// The developer orbit: a (angle), h (height) and w (distance) from the frame state.
Shot orbit_shot(double a, double h, double w);

// The view at clock t, starting from the orbit.
Shot view_shot(double t, const Shot& orbit);

// The light's eye (it always looks at the origin, except when it rides above the view's eye).
Vector3 light_eye(double t, const Vector3& view_eye);

}  // namespace toys
