// The contour extruder's CPU step: outlines, respacing, thinning, caps and walls (no GL).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "anim/contour_extruder.h"

namespace {

ExtrusionGeometry build(const cv::Mat& image, double b = 30, double c = 100) {
    ContourExtruder extruder;
    return extruder.build(image, b, c);
}

double cap_area(const ExtrusionGeometry& g) {
    double area = 0;
    for (std::size_t i = 0; i + 2 < g.cap_corners.size(); i += 3) {
        const auto &a = g.cap_corners[i], &b = g.cap_corners[i + 1], &c = g.cap_corners[i + 2];
        area += std::fabs((b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1])) / 2;
    }
    return area;
}

}  // namespace

TEST(ContourExtruder, DarkImageGivesNothing) {
    const ExtrusionGeometry g = build(cv::Mat(64, 64, CV_8UC1, cv::Scalar(127)));
    EXPECT_TRUE(g.outlines[0].empty());
    EXPECT_TRUE(g.outlines[1].empty());
    EXPECT_EQ(g.cap_triangle_count(), 0);
    EXPECT_EQ(g.wall_quad_count(), 0);
    EXPECT_EQ(build(cv::Mat()).cap_triangle_count(), 0);
}

TEST(ContourExtruder, DiscWithMidGreyRingHasAHole) {
    cv::Mat image(256, 256, CV_8UC1, cv::Scalar(0));
    cv::circle(image, {128, 128}, 100, 255, cv::FILLED);
    cv::circle(image, {128, 128}, 64, 128, 12);
    const ExtrusionGeometry g = build(image);
    ASSERT_EQ(g.outlines[0].size(), 1u);
    ASSERT_EQ(g.outlines[1].size(), 1u);
    EXPECT_EQ(g.walls.size(), 2u);
    // Respaced to trunc(c·l) points, l the outline's length in normalised units.
    const int outer = static_cast<int>(g.outlines[0][0].points.size());
    EXPECT_NEAR(outer, 100 * 2 * M_PI * 100 / 128, 40);
    // The cap is the disc minus everything inside the ring's outer edge, in the ×10 units of
    // the quantised grid: π(100² − 70²)/128² · 100.
    EXPECT_NEAR(cap_area(g), M_PI * (100.0 * 100 - 70.0 * 70) / (128.0 * 128) * 100, 6.0);
    for (const auto& corner : g.cap_corners) {
        EXPECT_LE(std::fabs(corner[0]), 10.0f);
        EXPECT_LE(std::fabs(corner[1]), 10.0f);
    }
    // Every wall strip closes its loop: count + 1 steps, the last back at the first point.
    for (const auto& wall : g.walls) {
        EXPECT_EQ(wall.front().x, wall.back().x);
        EXPECT_EQ(wall.front().y, wall.back().y);
        const auto& s = wall[wall.size() / 2];
        EXPECT_NEAR(std::hypot(s.normal[0], s.normal[1]), 1.0, 1e-4);
        EXPECT_EQ(s.normal[2], 0.0f);
    }
}

TEST(ContourExtruder, TinyContoursGetWallsButNoCap) {
    cv::Mat image(64, 64, CV_8UC1, cv::Scalar(0));
    image.at<uint8_t>(10, 10) = 255;           // one point
    image(cv::Rect(20, 20, 2, 1)).setTo(255);  // two points
    const ExtrusionGeometry g = build(image);
    ASSERT_EQ(g.outlines[0].size(), 2u);
    EXPECT_EQ(g.cap_triangle_count(), 0);
    EXPECT_EQ(g.walls.size(), 2u);
    EXPECT_EQ(g.wall_quad_count(), 1 + 2);
}

TEST(ContourExtruder, ShortOutlinesKeepTheirPoints) {
    // A 10 x 10 square in a 512 image: 36 contour points, length 36/256, and 30·l <= 5.
    cv::Mat image(512, 512, CV_8UC1, cv::Scalar(0));
    image(cv::Rect(40, 40, 10, 10)).setTo(255);
    const ExtrusionGeometry g = build(image);
    ASSERT_EQ(g.outlines[0].size(), 1u);
    EXPECT_EQ(g.outlines[0][0].points.size(), 36u);
    EXPECT_EQ(g.outlines[0][0].count, 36);
    EXPECT_NEAR(cap_area(g), 9.0 * 9.0 / (256.0 * 256.0) * 100, 1e-3);
}

TEST(ContourExtruder, CoordinatesFollowTheImageAxes) {
    // A bright block in the top-left quarter: normalised x = (hh - row) / hh > 0 (the image's
    // top), y = (hw - column) / hw > 0 (its left), before the drawing's 90 degree turn.
    cv::Mat image(100, 100, CV_8UC1, cv::Scalar(0));
    image(cv::Rect(10, 10, 20, 20)).setTo(200);
    const ExtrusionGeometry g = build(image);
    ASSERT_FALSE(g.cap_corners.empty());
    for (const auto& corner : g.cap_corners) {
        EXPECT_GT(corner[0], 0.0f);
        EXPECT_GT(corner[1], 0.0f);
    }
    EXPECT_FLOAT_EQ(ContourExtruder::quantise(0.5f), 5.0f);
    EXPECT_EQ(ContourExtruder::quantise(-1.0f), static_cast<float>(-30000) * 0.00033333333f);
    EXPECT_EQ(ContourExtruder::quantise(2.0f),
              static_cast<float>(static_cast<int16_t>(60000)) * 0.00033333333f);
}

TEST(ContourExtruder, TheExtentHoldsEveryCapCornerAndWallPoint) {
    // The block of rows and columns 10..29 of 100: normalised (50 − 29.5..10) / 50 · 10, about
    // 4.1..8 on both axes.
    cv::Mat image(100, 100, CV_8UC1, cv::Scalar(0));
    image(cv::Rect(10, 10, 20, 20)).setTo(200);
    const ExtrusionGeometry g = build(image);
    const std::array<float, 4> e = g.extent();
    for (const float low : {e[0], e[1]}) EXPECT_NEAR(low, 4.1f, 0.15f);
    for (const float high : {e[2], e[3]}) EXPECT_NEAR(high, 8.0f, 0.15f);
    for (const auto& corner : g.cap_corners) {
        EXPECT_TRUE(corner[0] >= e[0] && corner[0] <= e[2]);
        EXPECT_TRUE(corner[1] >= e[1] && corner[1] <= e[3]);
    }
    for (const auto& wall : g.walls)
        for (const auto& step : wall)
            EXPECT_TRUE(step.x >= e[0] && step.x <= e[2] && step.y >= e[1] && step.y <= e[3]);
    EXPECT_EQ(build(cv::Mat()).extent(), (std::array<float, 4>{})) << "nothing: no extent";
}

TEST(ContourExtruder, ManyOutlinesGrowTheVertexStorage) {
    // Far more than 8192 cap vertices: a grid of dots, each a 4-point outline.
    cv::Mat image(400, 400, CV_8UC1, cv::Scalar(0));
    for (int y = 1; y < 400; y += 4)
        for (int x = 1; x < 400; x += 4) image(cv::Rect(x, y, 2, 2)).setTo(255);
    const ExtrusionGeometry g = build(image);
    EXPECT_EQ(g.outlines[0].size(), 100u * 100u);
    EXPECT_EQ(g.cap_triangle_count(), 2 * 100 * 100);
    EXPECT_NEAR(cap_area(g), 100 * 100 * (1.0 / 200) * (1.0 / 200) * 100, 0.05);
}

TEST(ContourExtruder, OnePixelHighImagesStayFinite) {
    // Half of the height is 0 here; the mapping must not divide by it.
    cv::Mat image(1, 40, CV_8UC1, cv::Scalar(0));
    image(cv::Rect(5, 0, 20, 1)).setTo(255);
    const ExtrusionGeometry g = build(image);
    ASSERT_EQ(g.outlines[0].size(), 1u);
    for (const auto& wall : g.walls)
        for (const auto& step : wall) {
            EXPECT_TRUE(std::isfinite(step.x) && std::isfinite(step.y));
            for (float n : step.normal) EXPECT_TRUE(std::isfinite(n));
        }
}

// Thinning keeps the shape: a disc with a hole, thinned to a tolerance, keeps far fewer points,
// every respaced point stays within the tolerance of the thinned outline, the cap's area holds,
// and the hole is still cut.
TEST(ContourExtruder, ThinnedOutlinesKeepTheShapeWithFewerPoints) {
    cv::Mat image(512, 512, CV_8UC1, cv::Scalar(0));
    cv::ellipse(image, {256, 256}, {220, 120}, 20, 0, 360, 255, cv::FILLED);
    cv::circle(image, {200, 250}, 40, 128, cv::FILLED);
    ContourExtruder extruder;
    const ExtrusionGeometry full = extruder.build(image, 30, 180);
    const double tolerance = 0.0005;
    const ExtrusionGeometry thinned = extruder.build(image, 30, 180, tolerance);

    ASSERT_EQ(thinned.outlines[0].size(), full.outlines[0].size());
    ASSERT_EQ(thinned.outlines[1].size(), 1u) << "the hole survives";
    EXPECT_LT(thinned.cap_triangle_count() * 3, full.cap_triangle_count());
    EXPECT_LT(thinned.wall_quad_count() * 3, full.wall_quad_count());
    EXPECT_NEAR(cap_area(thinned), cap_area(full), 0.002 * cap_area(full));

    // Distance from a point to a closed polyline.
    auto distance = [](const Vector3& p, const Spline& outline) {
        double best = 1e9;
        const std::size_t n = outline.points.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Vector3& a = outline.points[i];
            const Vector3& b = outline.points[(i + 1) % n];
            const double dx = b.x - a.x, dy = b.y - a.y;
            const double along =
                std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            best = std::min(best, std::hypot(p.x - a.x - along * dx, p.y - a.y - along * dy));
        }
        return best;
    };
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t k = 0; k < full.outlines[pass].size(); ++k) {
            const Spline& before = full.outlines[pass][k];
            const Spline& after = thinned.outlines[pass][k];
            EXPECT_EQ(after.count, static_cast<int32_t>(after.points.size()));
            for (const Vector3& p : before.points) ASSERT_LE(distance(p, after), tolerance * 1.001);
        }

    // No tolerance leaves the respaced outlines as they are.
    const ExtrusionGeometry again = extruder.build(image, 30, 180, 0.0);
    EXPECT_EQ(again.cap_triangle_count(), full.cap_triangle_count());
    EXPECT_EQ(again.outlines[0][0].points.size(), full.outlines[0][0].points.size());
}
