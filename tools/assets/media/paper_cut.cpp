#include "tools/assets/media/paper_cut.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>

namespace {

constexpr int supersample = 4;
constexpr int kShift = 4;  // sub-pixel bits of the canvas coordinates

}  // namespace

PaperCut::PaperCut(int size)
    : size_(size),
      paper_(size * supersample, size * supersample, CV_8UC1, cv::Scalar(0)),
      holes_(size * supersample, size * supersample, CV_8UC1, cv::Scalar(0)) {}

cv::Point PaperCut::to_canvas(cv::Point2d p) const {
    const double scale = size_ * supersample * 0.5 * (1 << kShift);
    return {static_cast<int>(std::lround((p.x + 1) * scale)),
            static_cast<int>(std::lround((1 - p.y) * scale))};
}

void PaperCut::polygon(const std::vector<cv::Point2d>& points, Layer layer) {
    std::vector<cv::Point> canvas;
    for (const cv::Point2d& p : points) canvas.push_back(to_canvas(p));
    const cv::Point* data = canvas.data();
    const int count = static_cast<int>(canvas.size());
    cv::fillPoly(target(layer), &data, &count, 1, cv::Scalar(value(layer)), cv::LINE_8, kShift);
}

void PaperCut::disc(cv::Point2d centre, double radius, Layer layer) {
    ellipse(centre, {radius, radius}, 0, layer);
}

void PaperCut::ellipse(cv::Point2d centre, cv::Size2d radii, double angle_degrees, Layer layer) {
    const double scale = size_ * supersample * 0.5 * (1 << kShift);
    cv::ellipse(target(layer), to_canvas(centre),
                cv::Size(static_cast<int>(std::lround(radii.width * scale)),
                         static_cast<int>(std::lround(radii.height * scale))),
                -angle_degrees, 0, 360, cv::Scalar(value(layer)), cv::FILLED, cv::LINE_8, kShift);
}

void PaperCut::stroke(const std::vector<cv::Point2d>& points, double width, Layer layer) {
    const int thickness = std::max(1, static_cast<int>(std::lround(width * size_ * supersample * 0.5)));
    for (size_t i = 0; i + 1 < points.size(); ++i)
        cv::line(target(layer), to_canvas(points[i]), to_canvas(points[i + 1]), cv::Scalar(value(layer)),
                 thickness, cv::LINE_8, kShift);
    // Round the joints so bends stay smooth.
    for (const cv::Point2d& p : points) disc(p, width * 0.5, layer);
}

cv::Mat PaperCut::finish() const {
    cv::Mat paper, holes;
    cv::resize(paper_, paper, cv::Size(size_, size_), 0, 0, cv::INTER_AREA);
    cv::resize(holes_, holes, cv::Size(size_, size_), 0, 0, cv::INTER_AREA);
    cv::threshold(paper, paper, 127, 255, cv::THRESH_BINARY);
    cv::threshold(holes, holes, 127, 255, cv::THRESH_BINARY);
    cv::Mat inner;
    cv::erode(paper, inner, cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(7, 7)));
    cv::bitwise_and(holes, inner, holes);

    cv::Mat picture(size_, size_, CV_8UC1, cv::Scalar(0));
    picture.setTo(kPaper, paper);
    picture.setTo(kHole, holes);
    settle_enclosed_background(picture, 40, false);
    return picture;
}

void settle_enclosed_background(cv::Mat& picture, int small_area, bool larger_as_holes) {
    cv::Mat background = picture < 128, labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(background, labels, stats, centroids, 4, CV_32S);
    std::vector<unsigned char> outside(static_cast<size_t>(count), 0);
    for (int x = 0; x < picture.cols; ++x) {
        outside[static_cast<size_t>(labels.at<int>(0, x))] = 1;
        outside[static_cast<size_t>(labels.at<int>(picture.rows - 1, x))] = 1;
    }
    for (int y = 0; y < picture.rows; ++y) {
        outside[static_cast<size_t>(labels.at<int>(y, 0))] = 1;
        outside[static_cast<size_t>(labels.at<int>(y, picture.cols - 1))] = 1;
    }
    for (int y = 0; y < picture.rows; ++y)
        for (int x = 0; x < picture.cols; ++x) {
            const int label = labels.at<int>(y, x);
            if (!background.at<unsigned char>(y, x) || outside[static_cast<size_t>(label)]) continue;
            if (stats.at<int>(label, cv::CC_STAT_AREA) <= small_area)
                picture.at<unsigned char>(y, x) = kPaper;
            else if (larger_as_holes)
                picture.at<unsigned char>(y, x) = kHole;
        }
}

std::string encode_grey_png(const cv::Mat& picture) {
    std::vector<unsigned char> bytes;
    cv::imencode(".png", picture, bytes, {cv::IMWRITE_PNG_COMPRESSION, 6});
    return std::string(bytes.begin(), bytes.end());
}
