// The extruder's CPU step on arbitrary small greyscale images: the first two bytes give width and
// height (1..64), the rest are the pixels (repeated to fill the image). The step needs no GL.
// Checks that every cap corner and wall point is finite and on the quantised grid's range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <opencv2/core.hpp>

#include "anim/contour_extruder.h"

namespace {
void check(float v) {
    if (!std::isfinite(v) || std::fabs(v) > 11.0f) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const int width = data[0] % 64 + 1, height = data[1] % 64 + 1;
    cv::Mat image(height, width, CV_8UC1);
    for (int i = 0; i < width * height; ++i) image.data[i] = data[2 + i % (size - 2)];
    ContourExtruder extruder;
    const ExtrusionGeometry geometry = extruder.build(image, 30.0, 100.0 + data[0] % 81);
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
    return 0;
}
