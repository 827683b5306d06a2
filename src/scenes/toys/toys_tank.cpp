#include "scenes/toys/toys_tank.h"

#include <algorithm>
#include <cmath>

#include "core/easing.h"
#include "scenes/toys/toys_timeline.h"

namespace toys {

namespace {
constexpr double rise_at = 60.0;
constexpr float hidden_depth = -80.0f;
// After the tank section: out of the sea up onto the bridge deck, where it halts at 100 and
// looks about.
constexpr double climb_at = 98.0, climb_rate = 0.45, halt_at = 100.0;
constexpr float climb_height = 6.85f;

struct Look {
    double start, sign;
};
constexpr Look looks[] = {{67.0, 1.0}, {71.0, -1.0}, {73.0, 1.0}, {101.0, -1.0}};
constexpr double look_rate = 0.5;  // each look lasts two clock seconds
constexpr double look_degrees = 50.0 * 1.2;
}  // namespace

float tank_track_z(double t) {
    const double driven = t > halt_at ? halt_at : t;
    return static_cast<float>((driven - 75.0) * 1.5 - 6.0 - 8.0);
}

TankPlacement tank_placement(double t) {
    if (t < rise_at) return {0.0f, hidden_depth, 0.0f};
    const double d = 1.0 - eased_window(t, rise_at, 0.55);
    TankPlacement p{2.2f, static_cast<float>(0.56 - (3.2 * d + 1.4)), tank_track_z(t)};
    if (t > climb_at) p.y += climb_height * static_cast<float>(eased_window(t, climb_at, climb_rate));
    return p;
}

double wheel_angle(const Axle& axle, double t) { return soft_ramp(t - rise_at + axle.offset); }

double turret_angle(double t) {
    double swing = 0.0;
    for (const Look& look : looks)
        swing += look.sign * std::sin(pi * std::clamp((t - look.start) * look_rate, 0.0, 1.0));
    return swing * look_degrees;
}

}  // namespace toys
