#pragma once
// The toys scene's clock. It runs at about 0.8 of show time, a little faster before 3 and faster
// still below 0 (the scene opens under the opening's last seconds and has to catch up), swells by
// 1.3 per cent around 82, and never shows the stretch between 146 and 159: a clock landing there
// jumps to 243. Flash frames are handled by the kit's FlashClock (drawn 4 frame-steps ahead while
// the clock stands still, then rejoining the steady clock).
#include "scenes/kit/flash_clock.h"

namespace toys {

inline constexpr double clock_start = -7.1;

// Rate factor for a frame that starts at clock value t.
double speed_factor(double t);

// The clock value a frame may draw with: values in (146, 159) become 243.
double skip_unshown(double t);

class ToysClock {
public:
    void reset() { clock_.reset(clock_start); }
    // Advances by the frame's elapsed seconds; returns the clock value this frame draws with.
    double advance(double frame_dt, bool flash, bool previous_flash);

    double value() const { return clock_.value(); }
    double steady() const { return clock_.steady(); }

    bool operator==(const ToysClock&) const = default;

private:
    FlashClock clock_;
};

}  // namespace toys
