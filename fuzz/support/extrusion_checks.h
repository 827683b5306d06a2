#pragma once
// What every extruded slab must satisfy whatever picture it came from: whole cap triangles, and
// every cap corner and wall point finite and on the quantised grid's range (about -10..10), every
// wall normal finite. A failure aborts: the fuzzer's finding.
#include <cmath>
#include <cstdlib>

#include "anim/contour_extruder.h"

inline void check_extrusion(const ExtrusionGeometry& geometry) {
    const auto check = [](float v) {
        if (!std::isfinite(v) || std::fabs(v) > 11.0f) std::abort();
    };
    if (geometry.cap_corners.size() % 3 != 0) std::abort();
    for (const auto& corner : geometry.cap_corners) {
        check(corner[0]);
        check(corner[1]);
    }
    for (const auto& wall : geometry.walls)
        for (const auto& step : wall) {
            check(step.x);
            check(step.y);
            for (float n : step.normal)
                if (!std::isfinite(n)) std::abort();
        }
}
