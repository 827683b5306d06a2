// The pop detector on made-up sequences: what vanishes or appears at once and stays is a pop, at
// its step and place; motion, fades, one-frame flashes and flicker are not. And the show's own
// cuts a captured step can span.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "tests/pops/captured_stretch.h"
#include "tests/pops/pop_detector.h"

namespace {

constexpr int width = 96, height = 54, frame_count = 20;

// A still background with some texture, so "still" is not "flat".
GreyPicture background() {
    GreyPicture p{width, height, std::vector<uint8_t>(width * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.grey[y * width + x] = static_cast<uint8_t>(40 + (x * 7 + y * 3) % 50);
    return p;
}

void square(GreyPicture& p, int left, int top, int side, uint8_t grey) {
    for (int y = top; y < top + side && y < height; ++y)
        for (int x = left; x < left + side && x < width; ++x)
            if (x >= 0 && y >= 0) p.grey[y * width + x] = grey;
}

// frame_count frames of the background with whatever `draw` adds to frame k.
template <typename Draw>
std::vector<GreyPicture> sequence(Draw draw) {
    std::vector<GreyPicture> frames;
    for (int k = 0; k < frame_count; ++k) {
        GreyPicture p = background();
        draw(p, k);
        frames.push_back(std::move(p));
    }
    return frames;
}

TEST(PopDetector, AnObjectThatVanishesAtOnceIsAPopAtItsStepAndPlace) {
    const auto frames = sequence([](GreyPicture& p, int k) {
        if (k <= 10) square(p, 30, 12, 12, 220);
    });
    const std::vector<Pop> pops = find_pops(frames);
    ASSERT_EQ(pops.size(), 1u);
    EXPECT_EQ(pops[0].step, 10) << "frame 10 shows it, frame 11 not";
    EXPECT_LE(pops[0].left, 30);
    EXPECT_GE(pops[0].right, 36);
    EXPECT_LE(pops[0].top, 12);
    EXPECT_GE(pops[0].bottom, 18);
    EXPECT_GT(pops[0].strength, 100.0);
}

TEST(PopDetector, AnObjectThatAppearsAtOnceIsAPopToo) {
    const auto frames = sequence([](GreyPicture& p, int k) {
        if (k >= 9) square(p, 60, 30, 12, 10);
    });
    const std::vector<Pop> pops = find_pops(frames);
    ASSERT_EQ(pops.size(), 1u);
    EXPECT_EQ(pops[0].step, 8);
}

// A walker drifting a pixel a frame, then gone: the steps before change its place a little, the
// vanishing a lot.
TEST(PopDetector, AnObjectThatMovedSlowlyBeforeItVanishesIsStillAPop) {
    const auto frames = sequence([](GreyPicture& p, int k) {
        if (k <= 10) square(p, 20 + k, 20, 10, 230);
    });
    const std::vector<Pop> pops = find_pops(frames);
    ASSERT_EQ(pops.size(), 1u);
    EXPECT_EQ(pops[0].step, 10);
}

TEST(PopDetector, MotionFadesAndOneFrameFlashesAreNoPops) {
    EXPECT_TRUE(find_pops(sequence([](GreyPicture& p, int k) { square(p, 4 + 4 * k, 20, 12, 220); })).empty())
        << "a square crossing the picture";
    EXPECT_TRUE(find_pops(sequence([](GreyPicture& p, int k) {
                    for (uint8_t& g : p.grey) g = static_cast<uint8_t>(g + 6 * k);
                })).empty())
        << "the whole picture fading up";
    EXPECT_TRUE(find_pops(sequence([](GreyPicture& p, int k) {
                    if (k == 10) square(p, 30, 12, 18, 250);
                })).empty())
        << "a flash of one frame goes back";
}

TEST(PopDetector, FlickerThatKeepsChangingIsNoPop) {
    std::mt19937 random(7);
    const auto frames =
        sequence([&](GreyPicture& p, int) { square(p, 40, 10, 18, static_cast<uint8_t>(random() % 256)); });
    EXPECT_TRUE(find_pops(frames).empty());
}

// A smooth object sliding across: its body leaves a block's mean as it was, so each block its
// edge crosses jumps once and stays; but the blocks beside it keep changing.
TEST(PopDetector, TheEdgeOfASmoothObjectSlidingAcrossIsNoPop) {
    const auto frames = sequence([](GreyPicture& p, int k) {
        for (int y = 16; y < 40; ++y)
            for (int x = 8 * k - 40; x < 8 * k + 8 && x < width; ++x)
                if (x >= 0) p.grey[y * width + x] = 200;
    });
    EXPECT_TRUE(find_pops(frames).empty());
}

// A flickering light that holds still for a moment and then settles: its last jump stands out
// from the frame just before, not from the flicker a few frames earlier.
TEST(PopDetector, FlickerThatHoldsForAMomentIsNoPop) {
    const auto frames = sequence([](GreyPicture& p, int k) {
        const uint8_t level = k <= 4 ? (k % 2 ? 250 : 60) : k <= 9 ? 60 : 250;
        square(p, 40, 10, 16, level);
    });
    EXPECT_TRUE(find_pops(frames).empty());
}

TEST(PopDetector, AGlintAlongAThinLineIsNoPop) {
    const auto frames = sequence([](GreyPicture& p, int k) {
        if (k >= 11) square(p, 20, 21, 3, 250), square(p, 23, 21, 3, 250), square(p, 26, 21, 3, 250);
    });
    EXPECT_TRUE(find_pops(frames).empty());
}

TEST(PopDetector, ACutOfTheWholePictureCoversIt) {
    const auto frames = sequence([](GreyPicture& p, int k) {
        if (k >= 11)
            for (uint8_t& g : p.grey) g = static_cast<uint8_t>(255 - g);
    });
    const std::vector<Pop> pops = find_pops(frames);
    ASSERT_EQ(pops.size(), 1u);
    EXPECT_EQ(pops[0].step, 10);
    EXPECT_TRUE(pops[0].cut);
    EXPECT_DOUBLE_EQ(pops[0].area, 1.0);
}

// One vanishing object among others that keep moving: found alone; smaller than the area
// threshold: not found.
TEST(PopDetector, OnlyTheVanishingCountsAndOnlyAboveTheAreaThreshold) {
    const auto frames = sequence([](GreyPicture& p, int k) {
        square(p, 2 + 4 * k, 40, 10, 200);
        if (k <= 10) square(p, 70, 6, 12, 240);
    });
    std::vector<Pop> pops = find_pops(frames);
    ASSERT_EQ(pops.size(), 1u);
    EXPECT_EQ(pops[0].step, 10);
    EXPECT_FALSE(pops[0].cut);
    PopSettings strict;
    strict.min_area = 0.2;
    EXPECT_TRUE(find_pops(frames, strict).empty());
}

TEST(PopDetector, SequencesTooShortOrOfMixedSizesGiveNothing) {
    auto frames = sequence([](GreyPicture& p, int k) {
        if (k <= 10) square(p, 30, 12, 12, 220);
    });
    EXPECT_TRUE(find_pops({frames.begin(), frames.begin() + 13}).empty()) << "no steps after the vanishing";
    frames[9] = GreyPicture{width / 2, height, std::vector<uint8_t>(width / 2 * height)};
    EXPECT_TRUE(find_pops(frames).empty());
}

// ---- the show's own cuts ----

std::vector<CapturedFrame> frames_from(double show_time, int slot, double clock, double clock_step,
                                       int count) {
    std::vector<CapturedFrame> frames;
    for (int i = 0; i < count; ++i) frames.push_back({i, show_time + 0.1 * i, slot, clock + clock_step * i});
    return frames;
}

TEST(OwnCuts, SceneChangesClockJumpsFlashesAndOverlaysAreTheShows) {
    std::vector<CapturedFrame> frames = frames_from(30.0, 0, 10.0, 0.033, 20);
    EXPECT_EQ(own_cut(frames, 5), nullptr) << "an ordinary step";
    frames[9].clock = 56.0;  // the opening's jump to the stage
    for (std::size_t i = 10; i < frames.size(); ++i) frames[i].clock = 56.0 + 0.074 * (i - 9);
    EXPECT_STREQ(own_cut(frames, 8), "a jump of the scene clock");
    EXPECT_EQ(own_cut(frames, 12), nullptr) << "a faster clock after the jump is still steady";

    std::vector<CapturedFrame> change = frames_from(76.3, 0, 70.0, 0.07, 10);
    for (std::size_t i = 5; i < change.size(); ++i)
        change[i] = {static_cast<int>(i), 76.3 + 0.1 * i, 1, -7.0 + 0.08 * (i - 5)};
    EXPECT_STREQ(own_cut(change, 4), "a scene change");

    const std::vector<CapturedFrame> toys = frames_from(112.5, 1, 23.3, 0.08, 12);
    EXPECT_STREQ(own_cut(toys, 5), "a flash") << "113.0..113.1";
    EXPECT_EQ(own_cut(toys, 1), nullptr);
    const std::vector<CapturedFrame> middle = frames_from(342.2, 2, 58.5, 0.11, 12);
    EXPECT_STREQ(own_cut(middle, 4), "a picture overlay") << "342.7..346.5";
}

}  // namespace
