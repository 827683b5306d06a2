// Capture's time source drives the show timer: a frame's reading depends on its number only.
#include "tools/capture/capture_clock.h"

#include <gtest/gtest.h>

#include "show/show_timer.h"

TEST(FrameClock, FrameNumberOverRate) {
    FrameClock clock(30);
    EXPECT_EQ(clock.seconds(), 0.0);
    clock.set_frame(45);
    EXPECT_EQ(clock.seconds(), 1.5);
}

TEST(FrameClock, ShowTimerStepsAreTheFixedStepAndRepeatable) {
    auto run = [] {
        FrameClock clock(24);
        ShowTimer timer([&clock] { return clock.seconds(); });
        timer.reset();
        std::vector<double> readings;
        double previous = timer.reading();
        for (long n = 1; n <= 24 * 60; ++n) {
            clock.set_frame(n);
            const double reading = timer.reading();
            EXPECT_NEAR(reading - previous, 1.0 / 24, 1e-9) << n;
            previous = reading;
            readings.push_back(reading);
        }
        return readings;
    };
    const std::vector<double> first = run();
    EXPECT_EQ(first, run());
    EXPECT_NEAR(first.back(), 60.0, 1e-9);
}
