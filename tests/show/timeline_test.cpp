#include "show/timeline.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SceneWindows, BoundariesBelongToTheLaterSceneExceptAt361) {
    EXPECT_EQ(scene_slot_at(0.0), 0);
    EXPECT_EQ(scene_slot_at(-0.5), 0);
    EXPECT_EQ(scene_slot_at(76.79999), 0);
    EXPECT_EQ(scene_slot_at(76.8), 1);
    EXPECT_EQ(scene_slot_at(288.99999), 1);
    EXPECT_EQ(scene_slot_at(289.0), 2);
    EXPECT_EQ(scene_slot_at(360.99999), 2);
    EXPECT_EQ(scene_slot_at(361.0), -1);
    EXPECT_EQ(scene_slot_at(361.00001), 3);
    EXPECT_EQ(scene_slot_at(506.0), 3);
}

TEST(FlashWindows, OverlayCuesSetFlashAndPickTheirPicture) {
    const FlashState band = flash_at(204.5);
    EXPECT_TRUE(band.flash);
    EXPECT_EQ(band.overlay, 1);
    EXPECT_TRUE(band.black_band);

    const FlashState plain = flash_at(83.0);
    EXPECT_TRUE(plain.flash);
    EXPECT_EQ(plain.overlay, 0);
    EXPECT_FALSE(plain.black_band);

    EXPECT_EQ(flash_at(345.0).overlay, 3);
    EXPECT_TRUE(flash_at(345.0).black_band);
    EXPECT_EQ(flash_at(369.0).overlay, 4);
    EXPECT_EQ(flash_at(371.0).overlay, 4);
    EXPECT_EQ(flash_at(453.0).overlay, 5);
}

TEST(FlashWindows, IntervalsAreOpen) {
    EXPECT_FALSE(flash_at(82.3).flash);
    EXPECT_FALSE(flash_at(83.9).flash);
    EXPECT_EQ(flash_at(83.9).overlay, -1);
    EXPECT_FALSE(flash_at(99.0).flash);
    EXPECT_TRUE(flash_at(99.01).flash);
    EXPECT_FALSE(flash_at(101.3).flash);
    // Between the two overlay-4 windows.
    EXPECT_FALSE(flash_at(370.0).flash);
}

TEST(FlashWindows, FlashOnlyWindowsHaveNoOverlay) {
    for (double t : {100.0, 390.5, 394.0, 395.5, 398.5, 404.25}) {
        const FlashState s = flash_at(t);
        EXPECT_TRUE(s.flash) << t;
        EXPECT_EQ(s.overlay, -1) << t;
    }
    EXPECT_FALSE(flash_at(392.0).flash);
}

TEST(FlashWindows, BeatRunsOfFiveEach) {
    for (int k = 0; k < 5; ++k) {
        const double a = 113 + 1.5 * k;
        EXPECT_TRUE(flash_at(a + 0.05).flash) << k;
        EXPECT_FALSE(flash_at(a + 0.2).flash) << k;
        const double b = 123 + 1.4 * k;
        EXPECT_TRUE(flash_at(b + 0.2).flash) << k;
        EXPECT_FALSE(flash_at(b + 0.3).flash) << k;
    }
    EXPECT_TRUE(flash_at(113.05).flash);
    EXPECT_TRUE(flash_at(124.5).flash);
    EXPECT_FALSE(flash_at(113.2).flash);
    // No sixth beat.
    EXPECT_FALSE(flash_at(113 + 1.5 * 5 + 0.05).flash);
    EXPECT_FALSE(flash_at(123 + 1.4 * 5 + 0.1).flash);
}

TEST(MusicFade, FullUntil495ThenDownToOneAt505) {
    EXPECT_EQ(music_fade_volume(0.0), 255);
    EXPECT_EQ(music_fade_volume(495.0), 255);
    EXPECT_EQ(music_fade_volume(500.0), 128);
    EXPECT_EQ(music_fade_volume(505.0), 1);
    EXPECT_EQ(music_fade_volume(600.0), 1);
}

TEST(QuitFade, StartsClearAndCompletesTenMicrosecondsLater) {
    const QuitFade start = quit_fade(200.0, 200.0);
    EXPECT_EQ(start.alpha, 0.0);
    EXPECT_EQ(start.fade_param, 1.0);
    EXPECT_EQ(start.music_volume, 255);
    EXPECT_FALSE(start.complete);

    const QuitFade halfway = quit_fade(5e-6, 0.0);
    EXPECT_NEAR(halfway.alpha, 0.5, 1e-4);
    EXPECT_EQ(halfway.fade_param, 0.0);
    EXPECT_FALSE(halfway.complete);

    // One ordinary frame after Escape the fade is complete.
    const QuitFade next = quit_fade(200.016, 200.0);
    EXPECT_EQ(next.alpha, 1.0);
    EXPECT_EQ(next.music_volume, 0);
    EXPECT_TRUE(next.complete);

    // A show clock that stepped back before the request leaves the fade at its start.
    EXPECT_EQ(quit_fade(199.0, 200.0).alpha, 0.0);
}

TEST(FrameSeed, TruncatedMicrosecondsModulo2To32) {
    EXPECT_EQ(frame_seed(0.0), 0u);
    EXPECT_EQ(frame_seed(1.5), 1500000u);
    EXPECT_EQ(frame_seed(123.4567891), 123456789u);
    EXPECT_EQ(frame_seed(505.9999999), 505999999u);
    // Toward zero, then the low 32 bits of the two's-complement value.
    EXPECT_EQ(frame_seed(-0.0000015), 0xFFFFFFFFu);
    EXPECT_EQ(frame_seed(4295.0), static_cast<uint32_t>(4295000000ull % 4294967296ull));
    // Out of any range the show reaches: defined values, not an overflowing conversion.
    EXPECT_EQ(frame_seed(1e300), static_cast<uint32_t>(std::fmod(1e306, 4294967296.0)));
    EXPECT_EQ(frame_seed(std::nan("")), 0u);
}
