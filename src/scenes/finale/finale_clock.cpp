#include "scenes/finale/finale_clock.h"

namespace finale {

double advance_clock(double value, double dt) {
    double next = value + clock_rate * dt;
    if (next > trim_above) next -= trim_rate * dt;
    return next;
}

double FinaleClock::advance(double dt, bool flash, bool previous_flash) {
    const double steady_step = advance_clock(clock_.steady(), dt) - clock_.steady();
    const double scene_step = advance_clock(clock_.value(), dt) - clock_.value();
    return clock_.advance(steady_step, scene_step, flash, previous_flash, flash_lead_rate * dt);
}

}  // namespace finale
