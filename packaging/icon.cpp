// brinefall-icon OUT.png [SIZE]: draws the application icon the desktop entry names, from code,
// so the package carries no picture from elsewhere and the same build makes the same file. A
// rounded square of deep water, darker toward the bottom, crossed by three swells, with a drop
// falling into it.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace {

// Anti-aliased shapes are drawn at four times the size and scaled down.
constexpr int oversample = 4;

cv::Mat draw_icon(int size) {
    const int n = size * oversample;
    const double unit = n / 256.0;
    cv::Mat colour(n, n, CV_8UC3);
    for (int y = 0; y < n; ++y) {
        const double t = static_cast<double>(y) / (n - 1);
        colour.row(y).setTo(cv::Scalar(110 - 70 * t, 62 - 42 * t, 16 - 12 * t));  // BGR
    }
    for (int swell = 0; swell < 3; ++swell) {
        std::vector<cv::Point> line;
        const double base = (150 + 32 * swell) * unit;
        for (int x = 0; x <= n; x += oversample)
            line.emplace_back(x, static_cast<int>(base + 9 * unit * std::sin(x / (22.0 * unit) + swell * 1.7)));
        cv::polylines(colour, line, false, cv::Scalar(220 - 40 * swell, 200 - 40 * swell, 120 - 30 * swell),
                      static_cast<int>((7 - 2 * swell) * unit), cv::LINE_8);
    }
    // The drop: a disc with a point above it.
    const cv::Point centre(static_cast<int>(128 * unit), static_cast<int>(92 * unit));
    const int radius = static_cast<int>(26 * unit);
    const std::vector<cv::Point> point = {{centre.x - radius, centre.y},
                                          {centre.x + radius, centre.y},
                                          {centre.x, static_cast<int>(30 * unit)}};
    cv::fillConvexPoly(colour, point, cv::Scalar(250, 245, 235));
    cv::circle(colour, centre, radius, cv::Scalar(250, 245, 235), cv::FILLED);

    // Opaque inside a rounded square, transparent outside it.
    cv::Mat alpha(n, n, CV_8UC1, cv::Scalar(0));
    const int corner = static_cast<int>(40 * unit), inset = static_cast<int>(8 * unit);
    const int lo = inset, hi = n - 1 - inset;
    cv::rectangle(alpha, cv::Point(lo + corner, lo), cv::Point(hi - corner, hi), 255, cv::FILLED);
    cv::rectangle(alpha, cv::Point(lo, lo + corner), cv::Point(hi, hi - corner), 255, cv::FILLED);
    for (const cv::Point c : {cv::Point(lo + corner, lo + corner), cv::Point(hi - corner, lo + corner),
                              cv::Point(lo + corner, hi - corner), cv::Point(hi - corner, hi - corner)})
        cv::circle(alpha, c, corner, 255, cv::FILLED);

    cv::Mat bgra;
    cv::merge(std::vector<cv::Mat>{colour, alpha}, bgra);
    // Colour where it is transparent would bleed into the edge when scaling down.
    bgra.setTo(cv::Scalar(0, 0, 0, 0), alpha == 0);
    cv::Mat icon;
    cv::resize(bgra, icon, cv::Size(size, size), 0, 0, cv::INTER_AREA);
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    const int size = argc > 2 ? std::atoi(argv[2]) : 256;
    if (argc < 2 || argc > 3 || size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: brinefall-icon OUT.png [SIZE 16..1024, default 256]\n");
        return 2;
    }
    if (!cv::imwrite(argv[1], draw_icon(size), {cv::IMWRITE_PNG_COMPRESSION, 9})) {
        std::fprintf(stderr, "brinefall-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
