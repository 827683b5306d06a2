#pragma once
// The middle scene's cameras. The view is a base shot pulled through its cues (kit/shots.h); new
// base shots take over at 50.95 (the temple), 63 (the row of cut-out people) and 68 (the crowd),
// each behind a fade. The light stands high in front and to the left of the stage, so the
// cut-outs throw their shadows to the right onto the backdrop.
#include <span>

#include "scenes/kit/shots.h"

namespace middle {

struct BaseShot {
    double from;  // takes over at this clock value
    Shot (*at)(double t);
    std::span<const ShotCue> cues;
};

// The base shot in force at t (the last whose `from` ≤ t; the first before all of them).
const BaseShot& base_shot(double t);
// The view: the base shot at t pulled through its cues.
Shot view_shot(double t);
// The light's eye and centre at t.
Shot light_shot(double t);

}  // namespace middle
