#pragma once
// The final scene's clock. It starts at 25 and runs a little faster than the show
// (1.05 · 0.981), trimmed by 0.034 once it is past 42 so that the credits land on the music.
// Flash frames are drawn 6 · Δ ahead of the standing clock (kit FlashClock).
#include "scenes/kit/flash_clock.h"

namespace finale {

inline constexpr double clock_start = 25.0;
inline constexpr double clock_rate = 1.05 * 0.981;
inline constexpr double trim_above = 42.0;
inline constexpr double trim_rate = 0.034;
inline constexpr double flash_lead_rate = 6.0;

// The clock value dt elapsed seconds after `value`: add the rate, then take the trim off when
// the result lies above 42.
double advance_clock(double value, double dt);

class FinaleClock {
public:
    void reset() { clock_.reset(clock_start); }
    // Advances by dt and returns the value this frame draws with.
    double advance(double dt, bool flash, bool previous_flash);
    double value() const { return clock_.value(); }
    double steady() const { return clock_.steady(); }

    bool operator==(const FinaleClock&) const = default;

private:
    FlashClock clock_;
};

}  // namespace finale
