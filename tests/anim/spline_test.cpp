#include "anim/spline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Spline make_spline(std::initializer_list<Vector3> points, bool closed) {
    Spline s;
    s.closed = closed;
    for (const Vector3& p : points) s.append(p);
    s.count = static_cast<int32_t>(s.points.size());
    return s;
}

// The Catmull-Rom value of one coordinate, written out independently of the library.
float catmull_rom(float p_prev, float p0, float p1, float p_next, float f) {
    const float m0 = (p1 - p_prev) / 2, m1 = (p_next - p0) / 2;
    return p0 + m0 * f + (3 * (p1 - p0) - 2 * m0 - m1) * f * f + (2 * (p0 - p1) + m0 + m1) * f * f * f;
}

const std::initializer_list<Vector3> wiggle = {{0, 0, 0}, {1, 2, 0}, {3, 1, 1}, {4, 4, 2},
                                               {6, 2, 0}, {7, 5, 1}, {9, 0, 3}};

TEST(Spline, DefaultIsEmptyClosedWithThreeChannels) {
    const Spline s;
    EXPECT_TRUE(s.points.empty());
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(s.length, 0.0);
    EXPECT_EQ(s.channels, 3);
    EXPECT_TRUE(s.closed);
}

TEST(Spline, AppendLeavesCountToTheCaller) {
    Spline s;
    s.append({1, 2, 3});
    EXPECT_EQ(s.points.size(), 1u);
    EXPECT_EQ(s.count, 0);
    EXPECT_TRUE(s.channel2.empty());
}

TEST(Spline, HoldsAtMost65535ControlPoints) {
    Spline s;
    for (int i = 0; i < 65540; ++i) s.append({static_cast<float>(i), 0, 0});
    EXPECT_EQ(s.points.size(), 65535u);
    EXPECT_EQ(s.points.back().x, 65534.0f);
}

TEST(Spline, IntegerParametersReturnControlPointsExactly) {
    for (const bool closed : {true, false}) {
        const Spline s = make_spline(wiggle, closed);
        for (int i = 0; i < s.count; ++i) {
            const Vector3 p = s.evaluate(static_cast<float>(i));
            EXPECT_EQ(p, s.points[i]) << "closed " << closed << " point " << i;
        }
    }
}

TEST(Spline, InteriorSegmentsAreCatmullRom) {
    const Spline s = make_spline(wiggle, false);
    const Vector3 p = s.evaluate(2.25f);
    EXPECT_FLOAT_EQ(p.x, catmull_rom(1, 3, 4, 6, 0.25f));
    EXPECT_FLOAT_EQ(p.y, catmull_rom(2, 1, 4, 2, 0.25f));
    EXPECT_EQ(p.state, Vector3::ordinary);
}

TEST(Spline, ClosedCurveWrapsThroughItsFirstPoint) {
    const Spline s = make_spline(wiggle, true);
    // Last segment: from point 6 to point 0, tangents from points 5 and 1.
    const Vector3 p = s.evaluate(6.5f);
    EXPECT_NEAR(p.x, catmull_rom(7, 9, 0, 1, 0.5f), 1e-5);
    EXPECT_NEAR(p.y, catmull_rom(5, 0, 0, 2, 0.5f), 1e-5);
    // First segment: previous point is the last one.
    const Vector3 q = s.evaluate(0.5f);
    EXPECT_NEAR(q.x, catmull_rom(9, 0, 1, 3, 0.5f), 1e-5);
    // Negative parameters wrap a whole turn.
    const Vector3 r = s.evaluate(-0.5f);
    EXPECT_NEAR(r.x, p.x, 1e-4);
    EXPECT_NEAR(r.y, p.y, 1e-4);
}

TEST(Spline, OpenCurveHoldsItsEndsOutsideTheRange) {
    Spline s = make_spline(wiggle, false);
    s.points.back().state = Vector3::unit;  // the end point comes back as stored
    EXPECT_EQ(s.evaluate(static_cast<float>(s.count + 1)), s.points.back());
    EXPECT_EQ(s.evaluate(-0.5f), s.points.front());
    // First segment clamps its previous point to point 0.
    const Vector3 p = s.evaluate(0.5f);
    EXPECT_FLOAT_EQ(p.x, catmull_rom(0, 0, 1, 3, 0.5f));
}

TEST(Spline, EvaluationNeverReadsPastStoredPoints) {
    Spline s = make_spline(wiggle, true);
    s.count = 1000;  // the caller's count ran ahead of the points
    for (float t : {-3.0f, 0.5f, 6.9f, 500.0f, 999.5f, NAN, INFINITY})
        EXPECT_TRUE(std::isfinite(s.evaluate(t).x) || std::isnan(t) || std::isinf(t));
    Spline empty;
    empty.count = 5;
    EXPECT_EQ(empty.evaluate(1.0f).state, Vector3::undefined);
    // Two-point closed curves wrap their neighbours instead of reaching for a third point.
    const Spline two = make_spline({{0, 0, 0}, {2, 0, 0}}, true);
    EXPECT_EQ(two.evaluate(1.0f), Vector3(2, 0, 0));
}

TEST(Spline, EvaluateAllOnEmptySplineGivesHundredZeroZero) {
    const Spline s;
    Vector3 a, b, c;
    s.evaluate_all(0.5f, a, b, c);
    for (const Vector3& v : {a, b, c}) EXPECT_EQ(v, Vector3(100, 0, 0));
}

TEST(Spline, EvaluateAllFillsOnlyTheAnnouncedChannels) {
    Spline s = make_spline(wiggle, false);  // closed rules apply anyway
    for (const Vector3& p : s.points) {
        s.channel2.push_back(scale(p, 2.0f));
        s.channel3.push_back(scale(p, 3.0f));
    }
    const Vector3 sentinel{Vector3::unit, -1, -1, -1};
    Vector3 a = sentinel, b = sentinel, c = sentinel;
    s.channels = 2;
    s.evaluate_all(6.5f, a, b, c);
    EXPECT_NEAR(a.x, catmull_rom(7, 9, 0, 1, 0.5f), 1e-5);
    EXPECT_NEAR(b.x, 2 * a.x, 1e-4);
    EXPECT_EQ(c, sentinel);

    s.channels = 3;
    s.evaluate_all(2.5f, a, b, c);
    EXPECT_NEAR(c.y, 3 * a.y, 1e-4);

    // A channel shorter than the curve is left alone rather than read out of range.
    s.channel3.resize(2);
    c = sentinel;
    s.evaluate_all(2.5f, a, b, c);
    EXPECT_EQ(c, sentinel);

    // Fewer than two control points: nothing is written.
    Spline one = make_spline({{1, 1, 1}}, true);
    a = sentinel;
    one.evaluate_all(0.0f, a, b, c);
    EXPECT_EQ(a, sentinel);
}

TEST(Spline, LengthSumsControlPointDistancesWithoutClosingSegment) {
    Spline s = make_spline({{0, 0, 0}, {3, 0, 0}, {3, 4, 0}, {0, 4, 0}}, true);
    s.compute_length();
    EXPECT_DOUBLE_EQ(s.length, 10.0);
    s.count = 0;
    s.compute_length();
    EXPECT_EQ(s.length, 0.0);
}

TEST(Spline, ClearAndCopyFrom) {
    Spline s = make_spline(wiggle, false);
    s.channel2 = s.points;
    s.channels = 2;
    s.compute_length();

    Spline copy;
    copy.copy_from(s);
    EXPECT_EQ(copy.points, s.points);
    EXPECT_EQ(copy.channel2, s.channel2);
    EXPECT_EQ(copy.count, s.count);
    EXPECT_EQ(copy.channels, 2);
    EXPECT_FALSE(copy.closed);
    EXPECT_EQ(copy.length, 0.0);

    s.clear();
    EXPECT_TRUE(s.points.empty() && s.channel2.empty() && s.channel3.empty());
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(s.length, 0.0);
    EXPECT_EQ(s.channels, 3);
    EXPECT_FALSE(s.closed);
}

TEST(Spline, ResampleStraightOpenPolylineSpacesPointsEvenly) {
    Spline s = make_spline({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}, false);
    s.channels = 1;
    s.resample(8, 4);
    ASSERT_EQ(s.count, 8);
    ASSERT_EQ(s.points.size(), 8u);
    EXPECT_EQ(s.points[0], Vector3(0, 0, 0));
    EXPECT_EQ(s.channel2, s.points);
    EXPECT_EQ(s.channel3, s.points);
    EXPECT_EQ(s.channels, 3);
    EXPECT_FALSE(s.closed);
    // The table runs over [0, 4]: three unit segments plus the final segment that overshoots the
    // last point and comes back (chords 0.0703125, 0.0078125, 0.0390625, 0.0234375 at k = 4).
    const float total = 3.140625f;
    // On the middle segment the curve is linear, so the new points sit exactly at j/m · total.
    for (int j : {3, 4, 5}) EXPECT_FLOAT_EQ(s.points[j].x, j / 8.0f * total) << j;
}

TEST(Spline, ResampleRefusesShortSplinesAndZeroSubdivisions) {
    Spline three = make_spline({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, true);
    three.resample(10, 3);
    EXPECT_EQ(three.count, 3);
    Spline four = make_spline({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 1, 0}}, true);
    four.resample(10, 0);
    EXPECT_EQ(four.count, 4);
    four.resample(10, -2);
    EXPECT_EQ(four.count, 4);
    four.resample(70000, 2);  // more than 16-bit indices can address
    EXPECT_EQ(four.count, 4);
}

TEST(Spline, ResampleClosedCircleKeepsPointsOnIt) {
    Spline s;
    for (int i = 0; i < 40; ++i) {
        const float a = 2 * 3.14159265f * i / 40;
        s.append({10 * std::cos(a), 10 * std::sin(a), 0});
    }
    s.count = 40;
    s.resample(25, 3);
    ASSERT_EQ(s.count, 25);
    EXPECT_TRUE(s.closed);
    for (const Vector3& p : s.points) EXPECT_NEAR(length(p), 10.0f, 0.01f);
    // Even spacing: consecutive chords agree, including the closing one.
    for (int j = 0; j < 25; ++j) {
        const float chord = length(subtract(s.points[(j + 1) % 25], s.points[j]));
        EXPECT_NEAR(chord, 2 * 10 * std::sin(3.14159265f / 25), 0.02f) << j;
    }
}

}  // namespace
