#pragma once
// The easing curves and the per-frame flicker every scene's tables are written with, from their
// definitions: the tables compute what a pass must be given, so they cannot borrow the scenes'
// own functions.
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace wiring {

inline double clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

// (1 - h^((p-1)/2+1))^p with h = (1 + cos(pi x)) / 2, x clamped to [0, 1].
inline double ease_cos(double x, double p) {
    const double h = (1.0 + std::cos(M_PI * clamp01(x))) / 2.0;
    return std::pow(1.0 - std::pow(h, (p - 1.0) / 2.0 + 1.0), p);
}

// c + ((c/2)^2.2 - c)(1 - min(0.3c, 1)), c = max(x, 0).
inline double soft_ramp(double x) {
    const double c = std::max(x, 0.0);
    return c + (std::pow(c / 2.0, 2.2) - c) * (1.0 - std::min(0.3 * c, 1.0));
}

// The occlusion combine's "Limit": the show's generator seeded with (int)(t * 423424), 1000
// values drawn and discarded, the next one divided by 32767.
inline double occlusion_flicker(double t) {
    uint32_t next = static_cast<uint32_t>(static_cast<long>(t * 423424.0));
    const auto draw = [&next] {
        next = next * 1103515245u + 12345u;
        return (next / 65536u) % 32768u;
    };
    for (int i = 0; i < 1000; ++i) draw();
    return draw() / 32767.0;
}

}  // namespace wiring
