#include "scenes/opening/opening_clock.h"

#include <gtest/gtest.h>

using opening::OpeningClock;

namespace {

constexpr double slow_rate = 1.0388 * 1.014 * 0.7 * 0.45;
constexpr double normal_rate = 1.0388 * 1.014 * 0.7;
constexpr double late_rate = 1.0388 * 0.838 * 0.7;

TEST(OpeningClock, RunsAtItsThreeRates) {
    EXPECT_DOUBLE_EQ(OpeningClock::rate(10.0), slow_rate);
    EXPECT_DOUBLE_EQ(OpeningClock::rate(16.999), slow_rate);
    EXPECT_DOUBLE_EQ(OpeningClock::rate(17.0), normal_rate);
    EXPECT_DOUBLE_EQ(OpeningClock::rate(102.9), normal_rate);
    EXPECT_DOUBLE_EQ(OpeningClock::rate(103.0), late_rate);
}

TEST(OpeningClock, StartsAt415AndStepsByTheSlowRate) {
    OpeningClock clock;
    EXPECT_DOUBLE_EQ(clock.value(), 4.15);
    EXPECT_NEAR(clock.advance(0.1), 4.15 + 0.1 * slow_rate, 1e-12);
}

TEST(OpeningClock, TheSecondFrameDrawsSixtyAheadWithoutMovingTheClock) {
    OpeningClock clock;
    // First frame carries the clock to 10; the second is the warm-up frame.
    const double first = clock.advance((10.0 - 4.15) / slow_rate);
    EXPECT_NEAR(first, 10.0, 1e-9);
    const double expected = first + 0.1 * 1.0388 * 1.014 * 0.7 * 0.45;
    const double drawn = clock.advance(0.1);
    EXPECT_TRUE(clock.warming_up());
    EXPECT_NEAR(drawn, expected + 60.0, 1e-9);
    EXPECT_NEAR(clock.value(), expected, 1e-9);
    // No trace of the lead afterwards: the third frame steps on from where the second really was.
    EXPECT_NEAR(clock.advance(0.1), expected + 0.1 * slow_rate, 1e-9);
    EXPECT_FALSE(clock.warming_up());
}

TEST(OpeningClock, JumpsToFiftySixTwiceAndOnlyTwice) {
    OpeningClock clock;
    clock.advance(1.0);
    clock.advance(1.0);
    // Real time 38 itself is not inside the window.
    EXPECT_LT(clock.advance(36.0), 56.0);
    EXPECT_EQ(clock.advance(0.5), 56.0);  // 38.5 s: first jump
    // Above 17 the clock runs at the normal rate and does not jump again inside the window.
    EXPECT_NEAR(clock.advance(0.5), 56.0 + 0.5 * normal_rate, 1e-9);
    const double before = clock.advance(17.0);  // 56 s of real time
    EXPECT_NEAR(before, 56.0 + 17.5 * normal_rate, 1e-9);
    // The second jump pulls the clock back to 56 although it has run past it.
    EXPECT_EQ(clock.advance(2.0), 56.0);                                // 58 s
    EXPECT_NEAR(clock.advance(20.0), 56.0 + 20.0 * normal_rate, 1e-9);  // 78 s: no third jump
    EXPECT_GT(clock.advance(10.0), 70.0);
}

TEST(OpeningClock, LateFactorAppliesFrom103) {
    OpeningClock clock;
    clock.advance(39.0);                   // first jump: 56
    clock.advance(19.0);                   // 58 s: second jump: 56
    const double s = clock.advance(26.0);  // 84 s, past every window
    EXPECT_NEAR(s, 56.0 + 26.0 * normal_rate, 1e-9);
    const double late = clock.advance((103.5 - s) / normal_rate);
    EXPECT_NEAR(late, 103.5, 1e-9);
    EXPECT_NEAR(clock.advance(0.1), 103.5 + 0.1 * late_rate, 1e-9);
}

TEST(OpeningClock, NeverRunsBelowZero) {
    OpeningClock clock;
    EXPECT_EQ(clock.advance(-100.0), 0.0);
}

}  // namespace
