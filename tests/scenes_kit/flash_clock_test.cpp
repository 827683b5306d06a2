#include "scenes/kit/flash_clock.h"

#include <gtest/gtest.h>

TEST(FlashClock, WithoutFlashesEachClockRunsAtItsOwnStep) {
    FlashClock clock;
    clock.reset(10.0);
    EXPECT_DOUBLE_EQ(clock.advance(0.1, 0.05, false, false, 0.25), 10.05);
    EXPECT_DOUBLE_EQ(clock.advance(0.1, 0.05, false, false, 0.25), 10.1);
    EXPECT_DOUBLE_EQ(clock.value(), 10.1);
    EXPECT_DOUBLE_EQ(clock.steady(), 10.2);
}

TEST(FlashClock, AFlashFrameDrawsAheadButTheSceneClockStandsStill) {
    FlashClock clock;
    clock.reset(3.0);
    clock.advance(0.1, 0.1, false, false, 0.25);
    EXPECT_DOUBLE_EQ(clock.advance(0.1, 0.1, true, false, 0.4), 3.1 + 0.4);
    EXPECT_DOUBLE_EQ(clock.value(), 3.1);
    EXPECT_DOUBLE_EQ(clock.advance(0.1, 0.1, true, true, 0.4), 3.1 + 0.4);
    EXPECT_DOUBLE_EQ(clock.value(), 3.1);
    // The steady clock never stops.
    EXPECT_DOUBLE_EQ(clock.steady(), 3.3);
}

TEST(FlashClock, TheFirstFrameAfterAFlashRejoinsTheSteadyClock) {
    FlashClock clock;
    clock.reset(0.0);
    for (int i = 0; i < 5; ++i) clock.advance(0.1, 0.1, i > 0, i > 1, 0.25);  // frames 1-4 flash
    EXPECT_NEAR(clock.value(), 0.1, 1e-12);
    const double after = clock.advance(0.1, 0.1, false, true, 0.25);
    // The flash cost no time: the scene clock is where it would have been without it.
    EXPECT_NEAR(after, 0.6, 1e-12);
    EXPECT_DOUBLE_EQ(after, clock.steady());
    EXPECT_NEAR(clock.advance(0.1, 0.1, false, false, 0.25), 0.7, 1e-12);
}

TEST(FlashClock, AJumpMovesTheSceneClockAlone) {
    FlashClock clock;
    clock.reset(1.0);
    clock.jump_to(40.0);
    EXPECT_DOUBLE_EQ(clock.advance(0.5, 0.5, false, false, 0.25), 40.5);
    EXPECT_DOUBLE_EQ(clock.steady(), 1.5);
    clock.reset(2.0);
    EXPECT_DOUBLE_EQ(clock.value(), 2.0);
    EXPECT_DOUBLE_EQ(clock.steady(), 2.0);
}

TEST(FlashClock, AJumpDuringAFlashKeepsTheLeadOutOfTheClock) {
    FlashClock clock;
    clock.reset(10.0);
    EXPECT_DOUBLE_EQ(clock.advance(0.1, 0.1, true, false, 0.5), 10.5);
    clock.jump_to(40.0);  // this frame is to draw at 40
    EXPECT_DOUBLE_EQ(clock.value(), 39.5);
    EXPECT_DOUBLE_EQ(clock.advance(0.1, 0.1, true, true, 0.5), 40.0);
}
