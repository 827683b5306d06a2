// The toys scene's clock: its rate rule, the flash hold and rejoin, and the jump over 146..159.
#include <gtest/gtest.h>

#include <cmath>

#include "scenes/toys/toys_clock.h"

namespace {

constexpr double pi = 3.14159265358979;

TEST(ToysClock, FirstFrameRunsWithBothSpeedUps) {
    toys::ToysClock clock;
    clock.reset();
    const double dt = 0.04;
    const double t = clock.advance(dt, false, false);
    EXPECT_NEAR(t, -7.1 + 0.8 * 1.0035 * (1.28 * 1.03) * dt, 1e-12);
    EXPECT_NEAR(clock.steady(), t, 1e-12);
    EXPECT_EQ(clock.value(), t);
}

TEST(ToysClock, SpeedFactorStepsAtZeroAndThreeAndSwellsNearEightyTwo) {
    EXPECT_NEAR(toys::speed_factor(-0.001), 1.28 * 1.03, 1e-12);
    EXPECT_NEAR(toys::speed_factor(0.0), 1.03, 1e-12);
    EXPECT_NEAR(toys::speed_factor(2.999), 1.03, 1e-12);
    EXPECT_NEAR(toys::speed_factor(3.0), 1.0, 1e-12);
    EXPECT_NEAR(toys::speed_factor(82.0), 1.0, 1e-12);
    EXPECT_NEAR(toys::speed_factor(84.5), 1.013, 1e-12);  // the top of the half sine
    EXPECT_NEAR(toys::speed_factor(83.0), 1.0 + 0.013 * std::sin(pi * 0.2), 1e-12);
    EXPECT_NEAR(toys::speed_factor(87.0), 1.0, 1e-9);
}

TEST(ToysClock, FlashHoldsTheClockDrawsAheadAndRejoinsTheSteadyClock) {
    toys::ToysClock clock;
    clock.reset();
    const double dt = 0.05;
    // Run into the steady stretch past 3.
    while (clock.value() < 10.0) {
        clock.advance(dt, false, false);
    }
    const double before = clock.value();
    const double steady_before = clock.steady();
    EXPECT_DOUBLE_EQ(before, steady_before);
    double drawn = 0.0;
    for (int i = 0; i < 5; ++i) {
        drawn = clock.advance(dt, true, i > 0);
        EXPECT_DOUBLE_EQ(drawn, before + 4.0 * dt) << "drawn a little ahead of the held clock";
        EXPECT_DOUBLE_EQ(clock.value(), before) << "held during the flash";
    }
    EXPECT_NEAR(clock.steady(), steady_before + 5 * dt * 0.8 * 1.0035, 1e-12);
    const double after = clock.advance(dt, false, true);
    EXPECT_NEAR(after, steady_before + 6 * dt * 0.8 * 1.0035, 1e-12) << "caught up with the steady clock";
    EXPECT_DOUBLE_EQ(clock.value(), after);
}

TEST(ToysClock, StretchBetween146And159IsNeverShown) {
    EXPECT_EQ(toys::skip_unshown(146.0), 146.0);
    EXPECT_EQ(toys::skip_unshown(146.001), 243.0);
    EXPECT_EQ(toys::skip_unshown(158.999), 243.0);
    EXPECT_EQ(toys::skip_unshown(159.0), 159.0);

    toys::ToysClock clock;
    clock.reset();
    double last = clock.value();
    bool jumped = false;
    for (int i = 0; i < 20000 && !jumped; ++i) {
        const double t = clock.advance(0.05, false, false);
        EXPECT_FALSE(t > 146.0 && t < 159.0);
        if (t == 243.0) {
            jumped = true;
            EXPECT_GT(last, 145.9);
        }
        last = clock.value();
    }
    EXPECT_TRUE(jumped);
    EXPECT_EQ(clock.value(), 243.0) << "the scene clock itself moved on";
    const double next = clock.advance(0.05, false, false);
    EXPECT_GT(next, 243.0);
}

}  // namespace
