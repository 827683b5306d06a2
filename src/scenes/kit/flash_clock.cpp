#include "scenes/kit/flash_clock.h"

void FlashClock::reset(double start) {
    value_ = steady_ = start;
    lead_ = 0.0;
}

double FlashClock::begin_frame(double steady_step, double scene_step, bool flash, bool previous_flash,
                               double flash_lead) {
    steady_ += steady_step;
    if (flash) {
        lead_ = flash_lead;
        value_ += lead_;
    } else {
        lead_ = 0.0;
        value_ += scene_step;
        if (previous_flash) value_ = steady_;
    }
    return value_;
}

void FlashClock::end_frame() {
    value_ -= lead_;
    lead_ = 0.0;
}
