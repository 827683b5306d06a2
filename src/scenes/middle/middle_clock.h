#pragma once
// The middle scene's clock: 1.1 scene seconds per show second. During a flash the clock stands
// still and the frame is drawn 4·Δ ahead; the frame after a flash rejoins the steady clock.
// The viewer sees clock values of about 0..59 and 63..79 (an overlay covers the stretch between).
#include "scenes/kit/flash_clock.h"

namespace middle {

inline constexpr double clock_rate = 1.1;
inline constexpr double flash_lead_rate = 4.0;

class MiddleClock {
public:
    void reset(double start = 0.0) { clock_.reset(start); }
    // Advances by one frame of `delta` show seconds and returns the value this frame draws with.
    double advance(double delta, bool flash, bool previous_flash) {
        return clock_.advance(clock_rate * delta, clock_rate * delta, flash, previous_flash,
                              flash_lead_rate * delta);
    }

    double value() const { return clock_.value(); }
    double steady() const { return clock_.steady(); }

    bool operator==(const MiddleClock&) const = default;

private:
    FlashClock clock_;
};

}  // namespace middle
