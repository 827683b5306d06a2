#include "scenes/middle/middle_clock.h"

namespace middle {

double MiddleClock::begin_frame(double delta, bool flash, bool previous_flash) {
    last_delta_ = delta;
    ++frame_count_;
    previous_ = clock_.value();
    return clock_.begin_frame(clock_rate * delta, clock_rate * delta, flash, previous_flash,
                              flash_lead_rate * delta);
}

}  // namespace middle
