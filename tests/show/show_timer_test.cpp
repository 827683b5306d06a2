#include "show/show_timer.h"

#include <gtest/gtest.h>

TEST(ShowTimer, ReadingsAccumulateTheClocksAdvanceSinceReset) {
    double now = 1000.0;
    ShowTimer timer([&now] { return now; });
    timer.reset();
    now += 0.25;
    EXPECT_DOUBLE_EQ(timer.reading(), 0.25);
    now += 0.5;
    EXPECT_DOUBLE_EQ(timer.reading(), 0.75);
    EXPECT_DOUBLE_EQ(timer.reading(), 0.75);

    timer.reset();
    now += 2.0;
    EXPECT_DOUBLE_EQ(timer.reading(), 2.0);
}

TEST(ShowTimer, AClockSteppingBackLowersTheTotal) {
    double now = 5.0;
    ShowTimer timer([&now] { return now; });
    timer.reset();
    now = 4.0;
    EXPECT_DOUBLE_EQ(timer.reading(), -1.0);
}

TEST(ShowTimer, SteadyClockNeverRunsBackward) {
    ShowTimer timer;
    timer.reset();
    const double first = timer.reading();
    EXPECT_GE(first, 0.0);
    EXPECT_GE(timer.reading(), first);
}
