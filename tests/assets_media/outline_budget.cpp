#include "tests/assets_media/outline_budget.h"

#include <opencv2/imgproc.hpp>

#include <cmath>

namespace {

// Closed length of an outline in the extruder's normalised coordinates (±1 across the picture).
double normalised_length(const std::vector<cv::Point>& outline, int width, int height) {
    const double hw = width / 2, hh = height / 2;
    double length = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const cv::Point& a = outline[i];
        const cv::Point& b = outline[(i + 1) % outline.size()];
        length += std::hypot((a.y - b.y) / hh, (a.x - b.x) / hw);
    }
    return length;
}

int cap_points(const std::vector<cv::Point>& outline, int width, int height, double fine) {
    if (outline.size() < 4) return 0;
    if (outline.size() <= 28) return static_cast<int>(outline.size());
    const double length = normalised_length(outline, width, height);
    if (30 * length <= 5) return static_cast<int>(outline.size());
    return static_cast<int>(fine * length);
}

}  // namespace

OutlineCount count_outlines(const cv::Mat& grey, double fine) {
    OutlineCount count;
    cv::Mat solid, hole;
    cv::compare(grey, 128, solid, cv::CMP_GE);
    cv::compare(grey, 128, hole, cv::CMP_EQ);
    cv::findContours(solid, count.solids, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
    cv::findContours(hole, count.holes, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
    for (const auto* list : {&count.solids, &count.holes})
        for (const auto& outline : *list)
            count.cap_vertices += cap_points(outline, grey.cols, grey.rows, fine);
    return count;
}

int enclosed_background(const cv::Mat& grey) {
    cv::Mat open;
    cv::compare(grey, 128, open, cv::CMP_LT);
    // Pad with a ring of background, flood it from the corner, and count what stays unreached.
    cv::Mat padded;
    cv::copyMakeBorder(open, padded, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(255));
    cv::floodFill(padded, cv::Point(0, 0), cv::Scalar(0), nullptr, cv::Scalar(0), cv::Scalar(0), 4);
    return cv::countNonZero(padded);
}
