#include "tools/assets/media/picture_painting.h"
#include "tools/assets/media/procedural_noise.h"
#include "tools/text/text_rendering.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr int card_size = 512;
constexpr double screen_aspect = 16.0 / 9.0;

// Adds the coverage image `ink` (scaled to width × height) in `colour` onto `picture`, centred
// at (cx, cy). Adding (rather than painting over) matches how the pictures are shown.
void stamp(cv::Mat& picture, const cv::Mat& ink, int width, int height, int cx, int cy,
           const cv::Vec3d& colour) {
    if (ink.empty()) return;
    cv::Mat scaled;
    cv::resize(ink, scaled, cv::Size(width, height), 0, 0, cv::INTER_AREA);
    const int left = cx - width / 2, top = cy - height / 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int py = top + y, px = left + x;
            if (py < 0 || py >= picture.rows || px < 0 || px >= picture.cols) continue;
            const double a = scaled.at<unsigned char>(y, x) / 255.0;
            cv::Vec3b& p = picture.at<cv::Vec3b>(py, px);
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<unsigned char>(std::min(255.0, p[c] + 255.0 * colour[c] * a + 0.5));
        }
}

// Fits text of the given ink aspect into a box, narrowed horizontally by `narrow`.
cv::Size fit(const cv::Mat& ink, double max_width, double max_height, double narrow) {
    const double aspect = static_cast<double>(ink.cols) / ink.rows * narrow;
    double h = max_height, w = h * aspect;
    if (w > max_width) {
        w = max_width;
        h = w / aspect;
    }
    return {static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h))};
}

}  // namespace

cv::Mat paint_title_card(const std::string& text, bool in_band) {
    cv::Mat picture(card_size, card_size, CV_8UC3, cv::Scalar::all(0));
    const cv::Mat ink = render_text(text, "DejaVuSans-Bold.ttf", 160);
    // The band behind overlays 1 and 3 covers the middle fifth of the square.
    const double max_height = (in_band ? 0.15 : 0.3) * card_size;
    const cv::Size size = fit(ink, 0.92 * card_size, max_height, 1 / screen_aspect);
    stamp(picture, ink, size.width, size.height, card_size / 2, card_size / 2, cv::Vec3d(1, 1, 1));
    return picture;
}

cv::Mat paint_loader_logo() {
    const int size = 512;
    cv::Mat picture(size, size, CV_8UC3, cv::Scalar::all(0));
    // Three swells of brine above the name, inside the ring's inner circle (radius 4 of 4.1).
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double u = (x + 0.5) / size * 2 - 1, v = (y + 0.5) / size * 2 - 1;
            const double inside = 1 - smoothstep(0.72, 0.78, std::hypot(u, v));
            double stroke = 0;
            for (int k = 0; k < 3; ++k) {
                const double y0 = -0.42 + 0.13 * k;
                const double span = 0.5 - 0.06 * k;
                const double curve =
                    y0 + 0.05 * std::sin(u * 7.5 + 1.3 * k) - 0.07 * (1 - (u / span) * (u / span));
                const double d = std::abs(v - curve);
                const double along = 1 - smoothstep(span - 0.05, span, std::abs(u));
                stroke = std::max(stroke, (1 - smoothstep(0.012, 0.022, d)) * along);
            }
            const double s = stroke * inside;
            const cv::Vec3d colour = cv::Vec3d(0.55, 0.8, 1.0) * s;
            picture.at<cv::Vec3b>(y, x) = cv::Vec3b(static_cast<unsigned char>(255 * colour[0] + 0.5),
                                                    static_cast<unsigned char>(255 * colour[1] + 0.5),
                                                    static_cast<unsigned char>(255 * colour[2] + 0.5));
        }
    const cv::Mat name = render_text("Brinefall", "DejaVuSerif-Bold.ttf", 160);
    const cv::Size name_size = fit(name, 0.66 * size, 0.16 * size, 1.0);
    stamp(picture, name, name_size.width, name_size.height, size / 2, static_cast<int>(0.56 * size),
          cv::Vec3d(1, 0.96, 0.9));
    const cv::Mat groups = render_text("OVK vs quietglyph", "DejaVuSans.ttf", 96);
    const cv::Size groups_size = fit(groups, 0.5 * size, 0.05 * size, 1.0);
    stamp(picture, groups, groups_size.width, groups_size.height, size / 2, static_cast<int>(0.70 * size),
          cv::Vec3d(0.85, 0.25, 0.2));
    return picture;
}
