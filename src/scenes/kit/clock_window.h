#pragma once
// A stretch of a scene's clock in which something draws or a pass runs. Open at both ends;
// "below x" starts at minus infinity, "above x" ends at plus infinity.
#include <limits>

struct ClockWindow {
    double from, to;
    constexpr bool holds(double s) const { return s > from && s < to; }
};

inline constexpr double never = std::numeric_limits<double>::infinity();
