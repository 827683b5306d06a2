#include "core/easing.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(EaseCos, ClampsItsInput) {
    for (double p : {0.5, 1.0, 2.0, 3.0}) {
        EXPECT_EQ(ease_cos(-2.0, p), ease_cos(0.0, p)) << p;
        EXPECT_EQ(ease_cos(7.0, p), ease_cos(1.0, p)) << p;
        EXPECT_NEAR(ease_cos(0.0, p), 0.0, 1e-12) << p;
        EXPECT_NEAR(ease_cos(1.0, p), 1.0, 1e-12) << p;
    }
}

TEST(EaseCos, RaisedCosineForPOne) {
    EXPECT_DOUBLE_EQ(ease_cos(0.5, 1.0), 0.5);
    for (double x = 0; x <= 1.0; x += 0.125)
        EXPECT_NEAR(ease_cos(x, 1.0), (1 - std::cos(M_PI * x)) / 2, 1e-12) << x;
}

TEST(EaseCos, HigherPowerStartsLaterAndArrivesSooner) {
    // p = 3: (1 - h^2)^3 with h = 0.5 at the midpoint.
    EXPECT_NEAR(ease_cos(0.5, 3.0), std::pow(0.75, 3.0), 1e-12);
    double previous = 0;
    for (double x = 0.05; x < 1.0; x += 0.05) {
        const double y = ease_cos(x, 3.0);
        EXPECT_GT(y, previous) << x;
        previous = y;
    }
    EXPECT_LT(ease_cos(0.25, 3.0), ease_cos(0.25, 1.0));
    EXPECT_GT(ease_cos(0.75, 3.0), ease_cos(0.75, 1.0));
}

TEST(SoftRamp, SlowStartJoiningTheIdentity) {
    EXPECT_EQ(soft_ramp(0.0), 0.0);
    EXPECT_EQ(soft_ramp(-5.0), 0.0);
    EXPECT_NEAR(soft_ramp(1.0), 1.0 + (std::pow(0.5, 2.2) - 1.0) * 0.7, 1e-12);
    EXPECT_LT(soft_ramp(1.0), 1.0);
    EXPECT_NEAR(soft_ramp(10.0 / 3.0), 10.0 / 3.0, 1e-12);
    EXPECT_EQ(soft_ramp(4.0), 4.0);
    EXPECT_EQ(soft_ramp(100.0), 100.0);
}
