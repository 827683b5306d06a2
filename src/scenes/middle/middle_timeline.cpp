#include "scenes/middle/middle_timeline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

#include "core/easing.h"

namespace middle {

namespace {

double clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

// From `from` on, a = scale·E(start, rate) + offset; a later row replaces an earlier one.
struct GreyRule {
    double from, start, rate, scale, offset;
};
constexpr std::array<GreyRule, 4> grey_rules = {{
    {0.0, 0.1, 0.42, 0.5, -0.5},   // up from black at the start
    {63.0, 63.0, 0.6, 0.5, -0.5},  // from black again after the overlay
    {68.0, 68.0, 0.6, 0.5, -0.5},
    {74.0, 74.0, 0.5, -0.5, 0.0},  // down to black at the end
}};

}  // namespace

double grey_value(double t) {
    double a = 0.0;
    for (const GreyRule& rule : grey_rules)
        if (t >= rule.from) a = rule.scale * eased_window(t, rule.start, rule.rate) + rule.offset;
    return a + 0.5;
}

double blur_amount(double t) {
    double b;
    if (t <= 51.8)
        b = t > 13.4 ? 2.0
                     : eased_window(t, 10.5, 0.5) - eased_window(t, 12.5, 1.5) + 0.5 * eased_window(t, 26.5, 0.25) -
                           0.5 * eased_window(t, 38.0, 0.55);
    else
        b = 0.4 + 0.6 * eased_window(t, 53.2, 1.0) - 0.5 * eased_window(t, 55.2, 1.0) + 0.5 * eased_window(t, 58.3, 0.8);
    if (t >= 68.0)
        b = eased_window(t, 69.0, 0.35) - eased_window(t, 71.5, 0.35);
    else if (t >= 63.0)
        b = 1.0;
    return b;
}

float set_blur(double t) { return t > 51.8 ? 1.0f : 0.0f; }

ComposeUniforms compose_uniforms(double t, float dsp, const double (&shake)[2]) {
    ComposeUniforms u;
    u.mode = middle_grading;
    u.ttime = static_cast<float>(t);
    u.limit = static_cast<float>(blur_amount(t));
    u.dsp = dsp;
    // No radial zoom blur in this scene, ever ("isMiddleScene" 0).
    u.zoom_blur = 0.0f;
    u.which_blur = 1.0f;
    u.set_blur = set_blur(t);
    const double streak = 0.033 * motion_blur_weight(t);
    u.motion_blur[0] = static_cast<float>(shake[0] * streak);
    u.motion_blur[1] = static_cast<float>(shake[1] * streak);
    u.fade = static_cast<float>(grey_value(t));
    u.shafts = false;
    u.random = true;
    return u;
}

double ssao_factor(double t) {
    if (t >= 63.0) return 0.5;
    return 1.0 - 0.25 * clamp01((t - 11.0) * 0.25) - 0.21 * clamp01((t - 56.0) * 0.3);
}

double motion_blur_weight(double t) {
    const double m =
        clamp01(1.2 * (t - 1.5)) - clamp01(0.5 * (t - 3.3)) + clamp01(1.2 * (t - 5.5)) - clamp01(0.5 * (t - 6.3));
    return ease_cos(m, 1.0);
}

double shake_gain(double t) {
    return 14.0 * ease_cos(clamp01(2.0 * (t - 1.8)) - clamp01(0.2 * (t - 4.5)), 1.0) + 1.0;
}

double shake_offset(double t) { return t >= 73.0 ? 120.0 : 2.0; }

double field_of_view(double t) {
    return 60.0 - 22.0 * ease_cos(clamp01((t - 57.0) * 0.4) - clamp01((t - 61.0) * 0.3), 1.0);
}

double scale_down(double t) { return 3.5 - 1.4 * 0.61 * soft_ramp(t - 3.0); }

double light_down(double t) { return 0.2 + 0.1 * std::sin(0.3 * t); }

int sequence_frame(double t) {
    return static_cast<int>(static_cast<int64_t>(std::max(30.0 * t + 390.0, 0.0)) % sequence_frames);
}

int person_frame(double t, int j, double r) {
    const double k = 48.0 + 48.0 * std::sin((0.35 * r + 1.32) * 0.5 * t + 0.3 * j);
    return static_cast<int>(static_cast<int64_t>(k) % sequence_frames);
}

Vector3 person_position(const Vector3& marker) { return {-11.4f * marker.y, 0.0f, marker.x - 34.2f}; }

}  // namespace middle
