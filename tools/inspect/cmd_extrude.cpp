// brinefall-tool extrude FILE.png: what the contour extruder's CPU step makes of a greyscale
// image, with the middle scene's densities for image sequences (b = 30, c = 100).
#include <cstdio>
#include <string>
#include <vector>

#include <opencv2/imgcodecs.hpp>

#include "anim/contour_extruder.h"
#include "core/file_io.h"
#include "tools/inspect/commands.h"
#include "tools/inspect/json.h"

int run_extrude(int argc, char** argv) {
    if (argc != 1) return report_error("usage: extrude FILE.png");
    const auto bytes = read_file(argv[0]);
    if (!bytes) return report_error(std::string("cannot read ") + argv[0]);
    // Decoded from memory: the file reader of the image library logs its own failures.
    const cv::Mat image =
        cv::imdecode(cv::Mat(1, static_cast<int>(bytes->size()), CV_8UC1, const_cast<char*>(bytes->data())),
                     cv::IMREAD_GRAYSCALE);
    if (image.empty()) return report_error(std::string(argv[0]) + " is not an image");
    ContourExtruder extruder;
    const ExtrusionGeometry geometry = extruder.build(image, 30.0, 100.0);
    std::vector<long long> outlines, points;
    for (const auto& pass : geometry.outlines) {
        outlines.push_back(static_cast<long long>(pass.size()));
        for (const Spline& spline : pass) points.push_back(static_cast<long long>(spline.points.size()));
    }
    JsonLine()
        .field("outlines", std::span<const long long>(outlines))
        .field("points", std::span<const long long>(points))
        .field("cap_triangles", static_cast<long long>(geometry.cap_triangle_count()))
        .field("wall_quads", static_cast<long long>(geometry.wall_quad_count()))
        .print();
    return 0;
}
