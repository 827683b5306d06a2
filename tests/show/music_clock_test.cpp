#include "show/music_clock.h"

#include <gtest/gtest.h>

TEST(MusicTime, PositionIsUnsigned) {
    EXPECT_NEAR(music_time(4294967295u, 44100, 0.0), 97391.55, 0.01);
    // A count past 2^31 would read negative as a signed 32-bit value.
    EXPECT_GT(music_time(0x80000000u, 44100, 0.0), 48000.0);
    EXPECT_DOUBLE_EQ(music_time(44100u * 3, 44100, 0.0), 3.0);
}

TEST(MusicTime, NoRateMeansNoMusicClock) {
    EXPECT_EQ(music_time(1000u, 0, 12.5), 12.5);
    EXPECT_EQ(music_correction(music_time(1000u, 0, 12.5), 12.5), 0.0);
}

TEST(MusicCorrection, TenthOfTheLeadInSinglePrecision) {
    EXPECT_EQ(music_correction(101.0, 100.0), 0.100000001490116119384765625);
    EXPECT_EQ(music_correction(99.0, 100.0), -0.100000001490116119384765625);
    EXPECT_EQ(music_correction(470.0 + 1.0, 470.0), 0.100000001490116119384765625);
    EXPECT_EQ(music_correction(481.0, 470.001), 0.0);
    EXPECT_EQ(music_correction(12.0, 12.0), 0.0);
}
