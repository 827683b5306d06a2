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
    // previous() is the clock as it stood before the update.
    double begin_frame(double delta, bool flash, bool previous_flash);
    // Takes the flash lead back.
    void end_frame() { clock_.end_frame(); }

    double value() const { return clock_.value(); }
    double steady() const { return clock_.steady(); }
    double previous() const { return previous_; }
    double last_delta() const { return last_delta_; }
    int frame_count() const { return frame_count_; }

private:
    FlashClock clock_;
    double previous_ = 0.0;
    double last_delta_ = 0.0;
    int frame_count_ = 0;
};

}  // namespace middle
