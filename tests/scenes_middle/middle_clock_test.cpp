// The middle scene's clock: 1.1 scene seconds per show second, the flash lead of 4·Δ that never
// enters the clock, and the rejoin with the steady clock after a flash.
#include <gtest/gtest.h>

#include "scenes/middle/middle_clock.h"

namespace {

using middle::MiddleClock;

TEST(MiddleClock, FirstFrameDrawsAtElevenTenthsOfItsDelta) {
    MiddleClock clock;
    clock.reset();
    EXPECT_DOUBLE_EQ(clock.advance(0.04, false, false), 1.1 * 0.04);
    EXPECT_DOUBLE_EQ(clock.value(), 1.1 * 0.04);
}

TEST(MiddleClock, AFlashDrawsAheadWithoutMovingTheClockAndTheNextFrameRejoinsTheSteadyClock) {
    MiddleClock clock;
    clock.reset();
    for (int i = 0; i < 10; ++i) {
        clock.advance(0.1, false, false);
    }
    const double before = clock.value();
    EXPECT_NEAR(before, 1.1, 1e-12);

    // Two flash frames: drawn 4·Δ ahead, the clock itself stands still.
    EXPECT_DOUBLE_EQ(clock.advance(0.1, true, false), before + 0.4);
    EXPECT_DOUBLE_EQ(clock.value(), before);
    EXPECT_DOUBLE_EQ(clock.advance(0.2, true, true), before + 0.8);
    EXPECT_DOUBLE_EQ(clock.value(), before);
    EXPECT_NEAR(clock.steady(), before + 1.1 * 0.3, 1e-12);

    // The first frame after the flash takes the steady clock, which never stopped.
    const double after = clock.advance(0.1, false, true);
    EXPECT_DOUBLE_EQ(after, clock.steady());
    EXPECT_NEAR(after, before + 1.1 * 0.4, 1e-12);
}

}  // namespace
