#pragma once
// For the scenes' window tests: an element window as a scene's description gives it, and the
// clock values at which to probe it.
#include <utility>
#include <vector>

#include "scenes/kit/element_window.h"

struct DescribedWindow {
    const char* what;
    const ElementWindow& element;
    double from, to;  // -never / never: open at that end
    unsigned passes;  // DrawnIn bits
};

// Just outside and just inside each end of (from, to) and its middle, each with whether it lies
// inside; an open end is probed at first (or last) instead.
inline std::vector<std::pair<double, bool>> window_probes(double from, double to, double first, double last) {
    std::vector<std::pair<double, bool>> probes;
    const double lo = from == -never ? first : from, hi = to == never ? last : to;
    if (from != -never) probes.push_back({from - 0.01, false});
    probes.push_back({lo + 0.01, true});
    probes.push_back({(lo + hi) / 2, true});
    probes.push_back({hi - 0.01, true});
    if (to != never) probes.push_back({to + 0.01, false});
    return probes;
}
