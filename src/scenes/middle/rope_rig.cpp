#include "scenes/middle/rope_rig.h"

#include <algorithm>
#include <cmath>

#include "core/easing.h"
#include "scenes/middle/middle_windows.h"

namespace middle {

namespace {

SpringChain make_rope(const Vector3& top) {
    SpringChain chain(rope_masses, rope_stiffness, rope_damping, rope_rest_length);
    chain.set_gravity(rope_gravity);
    for (int m = 0; m < rope_masses; ++m)
        chain.masses[m].position = {top.x, top.y - rope_rest_length * static_cast<float>(m), top.z};
    chain.lead(0, led_weight, top);
    return chain;
}

}  // namespace

void rope_curve(const SpringChain& chain, Spline& curve, int points) {
    chain.rebuild_spline(curve);
    curve.closed = false;  // a rope has two free ends; a closed curve would loop back to the top
    if (points > 0) curve.resample(points, 3);
}

void RopeRig::create() {
    field.clear();
    for (int i = 0; i < field_ropes; ++i) field.push_back(make_rope(field_anchor(i, 0.0)));
    single.clear();
    single.push_back(make_rope(moon_position(0.0)));
}

Vector3 RopeRig::field_anchor(int i, double t) {
    const double x = -20.0 + 40.0 * i / (field_ropes - 1);
    const double sway = 1.6 * std::sin(0.9 * t + 0.35 * i) + 0.6 * std::sin(0.37 * t);
    const Vector3 world{static_cast<float>(x + sway), static_cast<float>(25.0 + 0.4 * std::sin(0.6 * t + i)),
                        static_cast<float>(-6.0 - 1.5 * (i % 3))};
    return world * (1.0f / rope_scale);
}

Vector3 RopeRig::moon_position(double t) {
    const double bob = 0.5 * std::sin(0.8 * t);
    // The carry: up in an arc from the left of the stage to high on the right.
    const double u = ease_cos(
        (std::clamp(t, rope_led.from, rope_led.to) - rope_led.from) / (rope_led.to - rope_led.from), 1.0);
    const double x = -9.0 + 20.0 * u;
    const double y = 19.0 + 5.0 * std::sin(3.14159265 * u) + 3.0 * u + bob;
    const Vector3 world{static_cast<float>(x), static_cast<float>(y), -3.0f};
    return world * (1.0f / rope_scale);
}

void RopeRig::step_field(double t, double delta) {
    for (int i = 0; i < field_ropes; ++i) {
        field[i].lead(0, led_weight, field_anchor(i, t));
        field[i].simulate(delta);
    }
}

void RopeRig::step_single(double t, double delta) {
    SpringChain& rope = single.front();
    rope.set_gravity(t >= rope_light.from ? light_rope_gravity : rope_gravity);
    rope.lead(0, led_weight, moon_position(t));
    rope.simulate(delta);
}

}  // namespace middle
