#pragma once
// What the contour extruder makes of a greyscale picture, measured without GL: the outlines of
// its two passes (solid: value ≥ 128; holes: value exactly 128) as OpenCV finds them, and the
// number of cap vertices its resampling rule will feed the tessellator (at most 8192 fit).
#include <opencv2/core.hpp>

#include <vector>

struct OutlineCount {
    std::vector<std::vector<cv::Point>> solids, holes;
    int cap_vertices = 0;  // across both passes, for fine density `fine`
};

OutlineCount count_outlines(const cv::Mat& grey, double fine);

// Background pixels (below 128) that cannot be reached from the picture's border: the extruder
// follows outer outlines only, so such islands would be filled in, not cut out.
int enclosed_background(const cv::Mat& grey);
