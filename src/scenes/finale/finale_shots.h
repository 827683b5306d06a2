#pragma once
// The final scene's camera: a base shot circling the ants, pulled by cues through the scene's
// places (finale_stage.h) and finally to the credits; the light camera follows the view.
#include "scenes/kit/shots.h"

namespace finale {

// The view at clock t: the base shot through every cue, with the last push towards the credits.
Shot view_shot(double t);

// The light camera for a view: the view's centre and up, its eye moved by (0, −0.5·m, 0.5·m)
// with m = 1 − 0.6·clamp((t − 23)·0.3, 0, 1), or after t = 80 by
// (0, 24, −8 − 27.4·E(106, 0.25)).
Shot light_shot(const Shot& view, double t);

}  // namespace finale
