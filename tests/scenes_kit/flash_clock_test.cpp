#include "scenes/kit/flash_clock.h"

#include <gtest/gtest.h>

namespace {

// One whole frame: begin, draw (returns what it drew with), end.
double frame(FlashClock& clock, double steady_step, double scene_step, bool flash, bool previous_flash,
             double lead = 0.25) {
    const double drawn = clock.begin_frame(steady_step, scene_step, flash, previous_flash, lead);
    clock.end_frame();
    return drawn;
}

}  // namespace

TEST(FlashClock, WithoutFlashesEachClockRunsAtItsOwnStep) {
    FlashClock clock;
    clock.reset(10.0);
    EXPECT_DOUBLE_EQ(frame(clock, 0.1, 0.05, false, false), 10.05);
    EXPECT_DOUBLE_EQ(frame(clock, 0.1, 0.05, false, false), 10.1);
    EXPECT_DOUBLE_EQ(clock.value(), 10.1);
    EXPECT_DOUBLE_EQ(clock.steady(), 10.2);
}

TEST(FlashClock, AFlashFrameDrawsAheadButTheSceneClockStandsStill) {
    FlashClock clock;
    clock.reset(3.0);
    frame(clock, 0.1, 0.1, false, false);
    EXPECT_DOUBLE_EQ(frame(clock, 0.1, 0.1, true, false, 0.4), 3.1 + 0.4);
    EXPECT_DOUBLE_EQ(clock.value(), 3.1);
    EXPECT_DOUBLE_EQ(frame(clock, 0.1, 0.1, true, true, 0.4), 3.1 + 0.4);
    EXPECT_DOUBLE_EQ(clock.value(), 3.1);
    // The steady clock never stops.
    EXPECT_DOUBLE_EQ(clock.steady(), 3.3);
}

TEST(FlashClock, TheFirstFrameAfterAFlashRejoinsTheSteadyClock) {
    FlashClock clock;
    clock.reset(0.0);
    for (int i = 0; i < 5; ++i) frame(clock, 0.1, 0.1, i > 0, i > 1);  // frames 1-4 flash
    EXPECT_NEAR(clock.value(), 0.1, 1e-12);
    const double after = frame(clock, 0.1, 0.1, false, true);
    // The flash cost no time: the scene clock is where it would have been without it.
    EXPECT_NEAR(after, 0.6, 1e-12);
    EXPECT_DOUBLE_EQ(after, clock.steady());
    EXPECT_NEAR(frame(clock, 0.1, 0.1, false, false), 0.7, 1e-12);
}

TEST(FlashClock, AJumpMovesTheSceneClockAlone) {
    FlashClock clock;
    clock.reset(1.0);
    clock.jump_to(40.0);
    EXPECT_DOUBLE_EQ(frame(clock, 0.5, 0.5, false, false), 40.5);
    EXPECT_DOUBLE_EQ(clock.steady(), 1.5);
    clock.reset(2.0);
    EXPECT_DOUBLE_EQ(clock.value(), 2.0);
    EXPECT_DOUBLE_EQ(clock.steady(), 2.0);
}
