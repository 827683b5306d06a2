#pragma once
// A sheet for cutting greyscale silhouettes the extruder reads: paper is 255, holes are exactly
// 128 (the extruder's second pass turns a region of 128 into a hole in the slab), the rest is 0.
// Shapes are drawn four times finer than the result and thresholded after an area reduction, so
// outlines come out clean and free of stray pixels; no pixel takes any other value.
#include <opencv2/core.hpp>

#include <string>
#include <vector>

inline constexpr unsigned char kPaper = 255;
inline constexpr unsigned char kHole = 128;

class PaperCut {
public:
    enum class Layer { paper, hole, cut };  // cut removes paper

    // size: pixels of the finished square picture. Coordinates are in [−1, 1], x to the right
    // and y upwards.
    explicit PaperCut(int size);

    void polygon(const std::vector<cv::Point2d>& points, Layer layer);
    void disc(cv::Point2d centre, double radius, Layer layer);
    void ellipse(cv::Point2d centre, cv::Size2d radii, double angle_degrees, Layer layer);
    void stroke(const std::vector<cv::Point2d>& points, double width, Layer layer);

    // The finished picture, CV_8UC1. Holes keep a margin of paper around them so that a hole
    // never opens onto the background.
    cv::Mat finish() const;

private:
    cv::Point to_canvas(cv::Point2d p) const;
    cv::Mat& target(Layer layer) { return layer == Layer::hole ? holes_ : paper_; }
    int value(Layer layer) const { return layer == Layer::cut ? 0 : 255; }

    int size_;
    cv::Mat paper_, holes_;
};

// Background regions (below 128) that paper closes in on every side: the extruder follows outer
// outlines only, so it would fill them. Regions up to `small_area` pixels (slivers where shapes
// meet) become paper; larger ones become holes (kHole) when `larger_as_holes`, else stay.
void settle_enclosed_background(cv::Mat& picture, int small_area, bool larger_as_holes);

// PNG bytes of a greyscale picture, with fixed settings so the bytes repeat.
std::string encode_grey_png(const cv::Mat& picture);
