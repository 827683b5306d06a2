#include "scenes/begin/begin_clock.h"

#include <algorithm>

namespace begin {

double BeginClock::rate(double s) {
    const double pace = s < slow_until ? base_rate * slow_factor : base_rate;
    return speed_trim * (s >= late_from ? late_factor : early_factor) * pace;
}

void BeginClock::reset() { *this = BeginClock{}; }

double BeginClock::begin_frame(double dt) {
    real_time_ += static_cast<float>(dt);
    double s = scene_clock_;
    s = std::max(s + dt * rate(s), 0.0);
    if (!first_jump_done_ && real_time_ > first_jump_from && real_time_ < first_jump_to) {
        s = jump_target;
        first_jump_done_ = true;
    }
    if (!second_jump_done_ && real_time_ > second_jump_from && real_time_ < second_jump_to) {
        s = jump_target;
        second_jump_done_ = true;
    }
    ++draw_count_;
    previous_ = s;
    if (warming_up()) s += warm_up_lead;
    scene_clock_ = s;
    return s;
}

void BeginClock::end_frame() {
    if (warming_up()) scene_clock_ -= warm_up_lead;
    previous_ = scene_clock_;
}

}  // namespace begin
