#include "core/easing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double ease_cos(double x, double p) {
    x = std::clamp(x, 0.0, 1.0);
    const double h = (1.0 + std::cos(std::numbers::pi * x)) / 2.0;
    return std::pow(1.0 - std::pow(h, (p - 1.0) / 2.0 + 1.0), p);
}

double eased_window(double t, double start, double rate, double p) { return ease_cos((t - start) * rate, p); }

double soft_ramp(double x) {
    const double c = std::max(x, 0.0);
    return c + (std::pow(c / 2.0, 2.2) - c) * (1.0 - std::min(0.3 * c, 1.0));
}
