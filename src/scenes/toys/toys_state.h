#pragma once
#include "core/frame_state.h"
#include "scenes/toys/toys_clock.h"

namespace toys {

// What the toys scene's advance moves and its render reads.
struct State {
    ToysClock clock;
    FrameState frame;  // the frame's copy of the shared record
    double t = 0.0;    // the clock value this frame draws with (flash lead included)
    bool operator==(const State&) const = default;
};

}  // namespace toys
