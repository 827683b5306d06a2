#include "scenes/toys/toys_clock.h"
#include "core/easing.h"

#include <algorithm>
#include <cmath>

namespace toys {

namespace {
constexpr double base_rate = 0.8;
constexpr double timer_trim = 1.0035;  // the scene's pacing against the music, as tuned
constexpr double flash_lead_per_second = 4.0;
constexpr double unshown_from = 146.0, unshown_to = 159.0, resume_at = 243.0;
}  // namespace

double speed_factor(double t) {
    double s = 1.0 + 0.013 * std::sin(pi * std::clamp((t - 82.0) * 0.2, 0.0, 1.0));
    if (t < 0.0) s *= 1.28;
    if (t < 3.0) s *= 1.03;
    return s;
}

double skip_unshown(double t) { return t > unshown_from && t < unshown_to ? resume_at : t; }

double ToysClock::advance(double frame_dt, bool flash, bool previous_flash) {
    const double s = speed_factor(clock_.value());
    const double step = frame_dt * timer_trim * s * base_rate;
    double t = clock_.advance(step, step, flash, previous_flash, flash_lead_per_second * frame_dt);
    const double kept = skip_unshown(t);
    if (kept != t) {
        clock_.jump_to(kept);
        t = kept;
    }
    return t;
}

}  // namespace toys
