#pragma once
#include "core/frame_state.h"
#include "core/vector3.h"
#include "scenes/finale/finale_clock.h"

namespace finale {

// What the final scene's advance moves and its render reads.
struct State {
    FinaleClock clock;
    FrameState frame;  // the frame's copy of the shared record
    double t = 0.0;    // the clock value this frame draws with
    // The view direction of the previous frame, and the streak this frame's turn from it gives
    // the compose ("TheVelocity").
    Vector3 previous_direction{};
    float streak[2] = {};
    bool operator==(const State&) const = default;
};

}  // namespace finale
