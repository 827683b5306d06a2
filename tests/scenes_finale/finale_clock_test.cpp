// The final scene's clock: its rate, the trim above 42, and the flash lead and rejoin.
#include <gtest/gtest.h>

#include "scenes/finale/finale_clock.h"

namespace {

using finale::FinaleClock;

TEST(FinaleClock, FirstFrameRunsAtTheBaseRate) {
    FinaleClock clock;
    clock.reset();
    const double dt = 0.04;
    EXPECT_DOUBLE_EQ(clock.advance(dt, false, false), 25.0 + 1.05 * 0.981 * dt);
    EXPECT_DOUBLE_EQ(clock.value(), 25.0 + 1.05 * 0.981 * dt);
    EXPECT_DOUBLE_EQ(clock.steady(), clock.value());
}

TEST(FinaleClock, TrimAppliesOnlyOnceTheResultIsAbove42) {
    const double dt = 0.1;
    // Landing exactly below 42: no trim.
    const double below = 42.0 - 1.05 * 0.981 * dt - 1e-9;
    EXPECT_DOUBLE_EQ(finale::advance_clock(below, dt), below + 1.05 * 0.981 * dt);
    // Landing above: the step is 1.03005·dt − 0.034·dt.
    EXPECT_NEAR(finale::advance_clock(41.99, dt), 41.99 + (1.05 * 0.981 - 0.034) * dt, 1e-12);
    EXPECT_NEAR(finale::advance_clock(100.0, dt) - 100.0, 0.99605 * dt, 1e-12);
}

TEST(FinaleClock, ReachesTheEndOfTheShowNearClock170) {
    // 145 s of show time at 25 frames a second from the scene's start.
    FinaleClock clock;
    clock.reset();
    for (int i = 0; i < 145 * 25; ++i) {
        clock.advance(0.04, false, false);
    }
    EXPECT_NEAR(clock.value(), 42.0 + (145.0 - 17.0 / 1.03005) * 0.99605, 0.05);
}

TEST(FinaleClock, FlashDrawsAheadWithoutMovingThenRejoinsTheSteadyClock) {
    FinaleClock clock;
    clock.reset();
    const double dt = 0.05;
    EXPECT_DOUBLE_EQ(clock.advance(dt, true, false), 25.0 + 6.0 * dt);
    EXPECT_DOUBLE_EQ(clock.value(), 25.0);
    clock.advance(dt, true, true);
    EXPECT_DOUBLE_EQ(clock.value(), 25.0);
    // The first frame after the flash is the steady clock: three frames' worth.
    const double t = clock.advance(dt, false, true);
    EXPECT_DOUBLE_EQ(t, clock.steady());
    EXPECT_NEAR(t, 25.0 + 3.0 * 1.05 * 0.981 * dt, 1e-12);
}

}  // namespace
