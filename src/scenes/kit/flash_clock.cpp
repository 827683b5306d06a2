#include "scenes/kit/flash_clock.h"

void FlashClock::reset(double start) {
    value_ = steady_ = start;
    lead_ = 0.0;
}

double FlashClock::advance(double steady_step, double scene_step, bool flash, bool previous_flash,
                           double flash_lead) {
    steady_ += steady_step;
    lead_ = flash ? flash_lead : 0.0;
    if (!flash) {
        value_ += scene_step;
        if (previous_flash) value_ = steady_;
    }
    return value_ + lead_;
}
