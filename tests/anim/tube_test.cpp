#include "anim/tube.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const Vector3 up{1, 0, 0};

// A straight centre line along +z with radius 0.5 + 0.1·i at control point i.
Spline straight_tube(int n) {
    Spline s;
    for (int i = 0; i < n; ++i) {
        s.append({0, 0, static_cast<float>(i)});
        s.channel2.push_back({0.5f + 0.1f * i, 0, 0});
    }
    s.count = n;
    return s;
}

TEST(Tube, SegmentCountStretchesByTheEndFraction) {
    EXPECT_EQ(tube_segment_count(10.0, 10), 10);
    EXPECT_EQ(tube_segment_count(10.5, 10), 10);  // trunc(10 + 10·0.5/10.5)
    EXPECT_EQ(tube_segment_count(0.5, 10), 20);   // trunc(10 + 10·0.5/0.5)
    EXPECT_EQ(tube_segment_count(0.0, 10), 10);
    EXPECT_EQ(tube_segment_count(5.0, 0), 0);
    EXPECT_EQ(tube_segment_count(5.0, -3), 0);
}

TEST(Tube, StripsOnControlPointsUseStoredPointsAndRadii) {
    Spline s = straight_tube(12);
    s.channels = 3;
    const int sides = 8;
    const auto strips = tube_strips(s, up, 0.0, 10.0, 10, sides);
    EXPECT_EQ(s.channels, 2);
    ASSERT_EQ(strips.size(), 10u);
    for (size_t k = 0; k < strips.size(); ++k) {
        const TubeStrip& strip = strips[k];
        EXPECT_EQ(strip.segment, static_cast<int32_t>(k));
        ASSERT_EQ(strip.vertices.size(), 2u * (sides + 1));
        const float r0 = 0.5f + 0.1f * k, r1 = 0.5f + 0.1f * (k + 1);
        // Along +z with up = x the ring axes are U = (−1, 0, 0) and V = (0, 1, 0); angle 0 is V.
        EXPECT_NEAR(strip.vertices[0].normal.y, 1.0f, 1e-6);
        EXPECT_NEAR(strip.vertices[0].position.y, r0, 1e-6);
        EXPECT_NEAR(strip.vertices[0].position.z, static_cast<float>(k), 1e-6);
        EXPECT_NEAR(strip.vertices[1].position.y, r1, 1e-6);
        EXPECT_NEAR(strip.vertices[1].position.z, static_cast<float>(k + 1), 1e-6);
        // A quarter turn (θ = −π/2) gives −U = +x.
        EXPECT_NEAR(strip.vertices[2 * 2].normal.x, 1.0f, 1e-6);
        EXPECT_NEAR(strip.vertices[2 * 2].position.x, r0, 1e-6);
        // The strip closes: the last ring vertex repeats the first.
        EXPECT_NEAR(strip.vertices[2 * sides].position.y, r0, 1e-5);
        EXPECT_NEAR(strip.vertices[2 * sides].position.x, 0.0f, 1e-5);
        for (size_t v = 0; v < strip.vertices.size(); v += 2) {
            const Vector3 d = subtract(strip.vertices[v].position, Vector3(0, 0, static_cast<float>(k)));
            EXPECT_NEAR(length(d), r0, 1e-5);
            EXPECT_NEAR(length(strip.vertices[v].normal), 1.0f, 1e-5);
        }
    }
}

TEST(Tube, FractionalParametersEvaluateTheCurve) {
    Spline s = straight_tube(12);
    const auto strips = tube_strips(s, up, 1.0, 3.0, 4, 6);  // h = 0.5
    ASSERT_EQ(strips.size(), 4u);
    // Segment 1 starts at u = 1.5: on a straight evenly spaced line the interior curve is linear,
    // and the radius channel interpolates the same way.
    EXPECT_NEAR(strips[1].vertices[0].position.z, 1.5f, 1e-5);
    EXPECT_NEAR(strips[1].vertices[0].position.y, 0.65f, 1e-5);
}

TEST(Tube, ZeroRadiusCollapsesTheRing) {
    Spline s = straight_tube(12);
    s.channel2[3].x = 0.0f;
    const auto strips = tube_strips(s, up, 0.0, 10.0, 10, 9);
    for (size_t v = 0; v < strips[3].vertices.size(); v += 2)
        EXPECT_EQ(strips[3].vertices[v].position, Vector3(0, 0, 3));
}

TEST(Tube, TangentAlongUpGivesACollapsedRing) {
    Spline s;
    for (int i = 0; i < 6; ++i) {
        s.append({static_cast<float>(i), 0, 0});
        s.channel2.push_back({1, 0, 0});
    }
    s.count = 6;
    const auto strips = tube_strips(s, up, 0.0, 4.0, 4, 10);
    ASSERT_EQ(strips.size(), 4u);
    for (const TubeVertex& v : strips[1].vertices) EXPECT_EQ(v.normal, Vector3(0, 0, 0));
}

TEST(Tube, WindowKeepsOnlySegmentsInsideTheFractions) {
    Spline s = straight_tube(12);
    const auto strips = tube_strips(s, up, 0.0, 10.0, 10, 9, 0.2, 0.5);
    ASSERT_EQ(strips.size(), 4u);
    EXPECT_EQ(strips.front().segment, 2);
    EXPECT_EQ(strips.back().segment, 5);
}

TEST(Tube, RefusesOversizedRingsAndEmptySplines) {
    Spline s = straight_tube(12);
    EXPECT_TRUE(tube_strips(s, up, 0.0, 10.0, 10, 1000).empty());
    EXPECT_TRUE(tube_strips(s, up, 0.0, 10.0, 10, 0).empty());
    EXPECT_EQ(tube_strips(s, up, 0.0, 2.0, 2, 999).front().vertices.size(), 2000u);
    Spline empty;
    empty.count = 4;
    EXPECT_TRUE(tube_strips(empty, up, 0.0, 10.0, 10, 9).empty());
}

TEST(Tube, RangeBeyondTheSplineClampsToItsEnds) {
    Spline s = straight_tube(4);
    s.channel2.resize(2);  // radii shorter than the points are clamped too
    const auto strips = tube_strips(s, up, 0.0, 8.0, 8, 4);
    ASSERT_EQ(strips.size(), 8u);
    // Segment 2 runs from point 2 to point 3, its radius clamped to the last stored radius.
    EXPECT_NEAR(strips[2].vertices[0].position.y, s.channel2[1].x, 1e-6);
    // Past the end both rings sit on the last point with no tangent: collapsed.
    for (const TubeVertex& v : strips[6].vertices) EXPECT_EQ(v.position, Vector3(0, 0, 3));
}

}  // namespace
