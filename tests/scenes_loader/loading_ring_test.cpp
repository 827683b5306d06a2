#include "scenes/loader/loading_ring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(LoadingRing, EachReportedUnitAdvancesByBothShares) {
    double progress = 0.0;
    for (double step : {1.0, 0.33, 0.1, 2.0})
        progress = loading_ring::advanced(progress, step * loading_ring::callback_share);
    EXPECT_NEAR(progress, 3.43 * 0.567 * 0.909, 1e-12);
}

TEST(LoadingRing, StaysBlackUntilProgressTwo) {
    // 3.88 reported units are not yet enough, 3.89 are (2 / (0.567 · 0.909) = 3.8805...).
    EXPECT_EQ(loading_ring::brightness(loading_ring::advanced(0.0, 3.88 * 0.567)), 0.0f);
    EXPECT_EQ(loading_ring::brightness(loading_ring::advanced(0.0, 3.89 * 0.567)), 1.0f);
    EXPECT_EQ(loading_ring::brightness(2.0), 1.0f);
}

TEST(LoadingRing, ProgressTwentyFiveDrawsTheRightHalf) {
    EXPECT_NEAR(loading_ring::angle(25.0, 1000), std::numbers::pi, 1e-12);
    const Vector3 top = loading_ring::point(25.0, 0, 4.0f);
    EXPECT_NEAR(top.x, 0.0f, 1e-6);
    EXPECT_NEAR(top.y, 4.0f, 1e-6);
    const Vector3 quarter = loading_ring::point(25.0, 500, 4.0f);  // 3 o'clock: clockwise
    EXPECT_NEAR(quarter.x, 4.0f, 1e-5);
    EXPECT_NEAR(quarter.y, 0.0f, 1e-5);
    for (int i = 0; i < loading_ring::steps; ++i) EXPECT_GE(loading_ring::point(25.0, i, 4.0f).x, -1e-6f);
    // The last step stops just short of 6 o'clock.
    EXPECT_NEAR(loading_ring::point(25.0, 999, 4.3f).y, -4.3f, 1e-3);
}

TEST(LoadingRing, FiftyClosesTheCircle) {
    EXPECT_NEAR(loading_ring::angle(50.0, 1000), 2.0 * std::numbers::pi, 1e-12);
}

}  // namespace
