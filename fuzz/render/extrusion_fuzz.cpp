// The extruder's CPU step on arbitrary small greyscale images: the first two bytes give width and
// height (1..64), the rest are the pixels (repeated to fill the image). The step needs no GL.
// (slab_image_fuzz feeds whole PNG files through the middle scene's loader instead.)
#include <cstddef>
#include <cstdint>

#include <opencv2/core.hpp>

#include "anim/contour_extruder.h"
#include "fuzz/support/extrusion_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const int width = data[0] % 64 + 1, height = data[1] % 64 + 1;
    cv::Mat image(height, width, CV_8UC1);
    for (int i = 0; i < width * height; ++i) image.data[i] = data[2 + i % (size - 2)];
    ContourExtruder extruder;
    check_extrusion(extruder.build(image, 30.0, 100.0 + data[0] % 81));
    return 0;
}
