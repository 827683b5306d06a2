// The image sequence as the middle scene reads it: 257 files named by its three formats, a
// running figure that moves smoothly and loops, and in every frame the marker its scan finds.
#include "tests/assets_media/outline_budget.h"
#include "tools/assets/media/image_sequence.h"
#include "tools/assets/media/paper_cut.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <set>

namespace {

// The scene's marker scan: rows from the top, each from the left; the last pixel of at least
// 101 gives the marker.
bool scan_marker(const cv::Mat& frame, cv::Point& at) {
    bool found = false;
    for (int y = 0; y < frame.rows; ++y)
        for (int x = 0; x < frame.cols; ++x)
            if (frame.at<unsigned char>(y, x) >= 101) {
                at = {x, y};
                found = true;
            }
    return found;
}

cv::Mat frame_via_png(int k) {
    const std::string png = encode_grey_png(paint_sequence_frame(k));
    return cv::imdecode(cv::Mat(1, static_cast<int>(png.size()), CV_8UC1, const_cast<char*>(png.data())),
                        cv::IMREAD_GRAYSCALE);
}

TEST(ImageSequence, FileNamesFollowTheScenesThreeFormats) {
    EXPECT_EQ(sequence_frame_name(0), "textures//videos1//t0000.png");
    EXPECT_EQ(sequence_frame_name(9), "textures//videos1//t0009.png");
    EXPECT_EQ(sequence_frame_name(10), "textures//videos1//t0010.png");
    EXPECT_EQ(sequence_frame_name(99), "textures//videos1//t0099.png");
    EXPECT_EQ(sequence_frame_name(100), "textures//videos1//t0100.png");
    EXPECT_EQ(sequence_frame_name(256), "textures//videos1//t0256.png");
    std::set<std::string> names;
    for (int k = 0; k < kSequenceFrames; ++k) names.insert(sequence_frame_name(k));
    EXPECT_EQ(names.size(), 257u);
}

TEST(ImageSequence, EveryFrameIsOneFigureWithItsMarkerLastInRasterOrder) {
    for (int k = 0; k < kSequenceFrames; ++k) {
        SCOPED_TRACE(k);
        const cv::Mat frame = frame_via_png(k);
        ASSERT_EQ(frame.size(), cv::Size(sequence_size, sequence_size));

        cv::Point marker;
        ASSERT_TRUE(scan_marker(frame, marker));
        // The same point in every frame, so the people placed by it stand still.
        EXPECT_EQ(marker, cv::Point(kMarkerColumn, kMarkerRow));
        const int value = frame.at<unsigned char>(marker);
        EXPECT_GE(value, 101);
        EXPECT_LT(value, 128);
        // It stands on the ground, a row or two under the figure's feet, below its hips.
        cv::Mat figure = frame >= 128;
        const cv::Rect body = cv::boundingRect(figure);
        EXPECT_GE(marker.y, body.y + body.height);
        EXPECT_LE(marker.y, body.y + body.height + 2);
        EXPECT_GT(marker.x, body.x);
        EXPECT_LT(marker.x, body.x + body.width);

        // Besides the marker only background, figure and holes (gaps closed by a limb): no
        // stray greys.
        EXPECT_EQ(cv::countNonZero((frame != 0) & (frame != 255) & (frame != kHole)), 1);
        const OutlineCount outlines = count_outlines(frame, 100);
        EXPECT_EQ(outlines.solids.size(), 1u);
        EXPECT_LE(outlines.holes.size(), 2u);
        EXPECT_EQ(enclosed_background(frame), 0);
        EXPECT_LT(outlines.cap_vertices, 8192);
        // The scene also extrudes the frame's edge image.
        cv::Mat edges;
        cv::Canny(frame, edges, 50, 100, 3);
        EXPECT_LT(count_outlines(edges, 100).cap_vertices, 8192);
    }
}

// Mean distance (pixels) from each figure pixel of `a` to the nearest figure pixel of `b`.
double drift(const cv::Mat& a, const cv::Mat& b) {
    cv::Mat distance;
    cv::distanceTransform(b < 128, distance, cv::DIST_L2, 3);
    return cv::mean(distance, a >= 128)[0];
}

TEST(ImageSequence, FramesFlowIntoEachOtherAndTheLastIntoTheFirst) {
    double worst = 0, sum = 0;
    for (int k = 0; k < kSequenceFrames; ++k) {
        const cv::Mat a = paint_sequence_frame(k), b = paint_sequence_frame((k + 1) % kSequenceFrames);
        const double d = std::max(drift(a, b), drift(b, a));
        worst = std::max(worst, d);
        sum += d;
    }
    // Neighbouring frames, the loop's seam (256 to 0) included, differ by a pixel or two.
    EXPECT_LT(worst, 2.5);
    // The figure does run: a quarter stride later the limbs have moved much further.
    double quarter = 0;
    for (int k = 0; k < kSequenceFrames; k += 16)
        quarter += drift(paint_sequence_frame(k), paint_sequence_frame((k + 5) % kSequenceFrames));
    EXPECT_GT(quarter / 17, 2.5 * sum / kSequenceFrames);
}

TEST(ImageSequence, RepeatsByteForByte) {
    for (int k : {0, 77, 256})
        EXPECT_EQ(encode_grey_png(paint_sequence_frame(k)), encode_grey_png(paint_sequence_frame(k)));
}

}  // namespace
