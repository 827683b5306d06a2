#pragma once
#include "core/frame_state.h"
#include "scenes/middle/middle_clock.h"
#include "scenes/middle/rope_rig.h"

namespace middle {

// What the middle scene's advance moves and its render reads.
struct State {
    MiddleClock clock;
    FrameState frame;  // the frame's copy of the shared record
    double t = 0.0;    // the clock value this frame draws with
    RopeRig ropes;
    bool operator==(const State&) const = default;
};

}  // namespace middle
