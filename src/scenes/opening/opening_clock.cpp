#include "scenes/opening/opening_clock.h"

#include <algorithm>

namespace opening {

double OpeningClock::rate(double s) {
    const double pace = s < slow_until ? base_rate * slow_factor : base_rate;
    return speed_trim * (s >= late_from ? late_factor : early_factor) * pace;
}

double OpeningClock::advance(double dt) {
    real_time_ += static_cast<float>(dt);
    double s = std::max(scene_clock_ + dt * rate(scene_clock_), 0.0);
    if (!first_jump_done_ && real_time_ > first_jump_from && real_time_ < first_jump_to) {
        s = jump_target;
        first_jump_done_ = true;
    }
    if (!second_jump_done_ && real_time_ > second_jump_from && real_time_ < second_jump_to) {
        s = jump_target;
        second_jump_done_ = true;
    }
    ++frames_;
    scene_clock_ = s;
    return warming_up() ? s + warm_up_lead : s;
}

}  // namespace opening
