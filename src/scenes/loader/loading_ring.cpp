#include "scenes/loader/loading_ring.h"

#include <cmath>
#include <numbers>

namespace loading_ring {

double angle(double progress, int i) { return 2.0 * std::numbers::pi * 0.02 * progress * i / steps; }

Vector3 point(double progress, int i, float radius) {
    const double theta = angle(progress, i);
    return {static_cast<float>(radius * std::sin(theta)), static_cast<float>(radius * std::cos(theta)), 0.0f};
}

}  // namespace loading_ring
