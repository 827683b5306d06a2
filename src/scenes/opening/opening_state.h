#pragma once
#include "core/frame_state.h"
#include "scenes/opening/opening_clock.h"

namespace opening {

// What the opening's advance moves and its render reads.
struct State {
    OpeningClock clock;
    FrameState frame;  // the frame's copy of the shared record
    double s = 0.0;    // the clock value this frame draws with
    bool operator==(const State&) const = default;
};

}  // namespace opening
