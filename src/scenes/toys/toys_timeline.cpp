#include "scenes/toys/toys_timeline.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/easing.h"

namespace toys {

namespace {

constexpr double tank_from = 73.0, tank_to = 89.0;

// One section's fade: from `from` on (strictly after it unless `inclusive`) the value is
// a + b·E(start, rate); later rows replace earlier ones.
struct GreyStep {
    double from;
    bool inclusive;
    double start, rate, a, b;
};
constexpr double always = -1e300;
constexpr std::array<GreyStep, 10> grey_steps = {{
    {always, true, -7.0, 0.7, 0.5, -0.5},  // in from white over the opening's end
    {0.0, true, 0.0, 0.6, -0.5, 0.5},      // cut at 0, in from black
    {3.0, false, 3.0, 1.1, -0.5, 0.5},
    {7.0, false, 7.0, 1.1, -0.5, 0.5},
    {21.0, false, 21.0, 1.1, -0.5, 0.5},
    {39.9, false, 39.9, 0.84, 0.0, -0.5},  // out to black before the traffic section
    {41.0, false, 41.0, 1.1, -0.5, 0.5},
    {73.0, false, 73.0, 1.1, 0.5, -0.5},      // the tank section opens on white
    {89.0, false, 89.0, 0.6, -0.5, 0.5},      // the sea comes in from black
    {107.5, false, 107.5, 1.6, 0.08, -0.08},  // the toys: a touch brighter, settling
}};
// The scene fades out to black from 131.5.
constexpr double out_start = 131.5, out_rate = 0.5;

// b = base + sum of sign·E(start, rate).
struct BlurTerm {
    double start, rate, sign;
};
constexpr std::array<BlurTerm, 4> blur_terms = {
    {{112.0, 1.85, -1.0}, {115.0, 1.85, 1.0}, {122.0, 0.85, -1.0}, {124.5, 0.85, 1.0}}};
constexpr std::array<BlurTerm, 3> tank_blur_terms = {
    {{74.0, 0.25, 1.0}, {80.0, 0.85, -1.0}, {85.0, 0.25, 1.0}}};

template <size_t N>
double sum_terms(double t, double base, const std::array<BlurTerm, N>& terms) {
    double b = base;
    for (const BlurTerm& term : terms) b += term.sign * eased_window(t, term.start, term.rate);
    return b;
}

}  // namespace

bool tank_section(double t) { return t >= tank_from && t < tank_to; }

double grey_value(double t) {
    double v = 0.0;
    for (const GreyStep& step : grey_steps)
        if (step.inclusive ? t >= step.from : t > step.from)
            v = step.a + step.b * eased_window(t, step.start, step.rate);
    return v - 0.5 * eased_window(t, out_start, out_rate) + 0.5;
}

double blur_amount(double t) {
    return tank_section(t) ? sum_terms(t, 0.0, tank_blur_terms) : sum_terms(t, 1.0, blur_terms);
}

double zoom_blur(double t) { return tank_section(t) ? 60.0 - 59.4 * eased_window(t, 73.4, 0.2) : 0.0; }

double which_blur(double t) { return t >= 107.5 || tank_section(t) ? 1.0 : 0.0; }

double ssao_factor(double t) { return 0.73 + 0.33 * std::clamp((t - 8.0) * 0.4, 0.0, 1.0); }

ComposeUniforms compose_uniforms(double t, float dsp) {
    ComposeUniforms u;
    u.mode = toys_grading;
    u.ttime = static_cast<float>(t);
    u.dsp = dsp;
    u.zoom_blur = static_cast<float>(zoom_blur(t));
    u.limit = static_cast<float>(blur_amount(t));
    u.which_blur = static_cast<float>(which_blur(t));
    u.fade = static_cast<float>(grey_value(t));
    u.shafts = false;
    u.random = true;
    return u;
}

double fog_level(double t) { return 1.0 + 3.4 * std::clamp((t - 12.0) * 0.2, 0.0, 1.0); }

double shadow_level(double t) { return std::clamp((t - 8.0) * 0.3, 0.0, 1.0); }

double running(double t) { return t > 105.0 ? 0.0 : soft_ramp(t - 41.0) * 144.0; }

double chess_timer(double t) { return eased_window(t, 7.7, 0.2); }

double tank_timer1(double t) {
    return ease_cos(
        std::clamp((t - 8.2) * 0.17, 0.0, 1.0) - 0.5 * std::sin(pi * std::clamp((t - 15.0) * 0.35, 0.0, 1.0)),
        1.0);
}

double tank_timer2(double t) { return eased_window(t, 16.0, 0.22); }

}  // namespace toys
