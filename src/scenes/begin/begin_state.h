#pragma once
#include "core/frame_state.h"
#include "scenes/begin/begin_clock.h"

namespace begin {

// What the opening's advance moves and its render reads.
struct State {
    BeginClock clock;
    FrameState frame;  // the frame's copy of the shared record
    double s = 0.0;    // the clock value this frame draws with
    bool operator==(const State&) const = default;
};

}  // namespace begin
