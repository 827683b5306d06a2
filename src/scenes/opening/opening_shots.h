#pragma once
// The opening's camera: a base shot that is a function of the scene clock s, pulled toward
// fourteen further shots in turn. Shot k weighs f = ease_cos(clamp(rate_k · (s − start_k), 0, 1),
// exponent_k): nothing before its start, and once rate_k · (s − start_k) reaches 1 it has
// replaced everything before it.
//
// Base shot and shots 1-2 descend under the sea surface looking up at it; 3-7 follow the sea bed
// down; 8-10 frame the figures' stage on the deep floor; 11-14 climb back toward daylight.
#include <array>

#include "scenes/kit/shots.h"

namespace opening {

Shot base_shot(double s);

// Shots 1..14 in the order they take over.
extern const std::array<ShotCue, 14> shot_cues;

// The view camera at clock s: the base shot blended through every cue in order.
Shot view_shot(double s);

}  // namespace opening
