// The curves of the middle scene's clock at chosen values: which sequence frame shows, the fades,
// the compose blur and glow, the occlusion strength, the lens and the cut-out people.
#include <gtest/gtest.h>

#include <cmath>

#include "scenes/middle/middle_timeline.h"

namespace {

using namespace middle;

// The raised-cosine ramp at x in [0, 1].
double clamp01(double x) { return (1.0 - std::cos(3.14159265358979 * x)) / 2.0; }

TEST(SequenceFrame, RunsThirtyFramesASecondFromFrame133AndLoops) {
    EXPECT_EQ(sequence_frame(0.0), 133);
    EXPECT_EQ(sequence_frame(1.0), 163);
    EXPECT_EQ(sequence_frame(0.99), 162);
    EXPECT_EQ(sequence_frame(4.1), (30 * 41 / 10 + 390) % 257);  // past 256 it starts again
    EXPECT_EQ(sequence_frame(-13.0), 0) << "before -13 the index stays at 0";
    EXPECT_EQ(sequence_frame(-100.0), 0);
}

TEST(GreyValue, FadesInFromBlackAtTheStartAndAfterEachCutAndOutAtTheEnd) {
    EXPECT_DOUBLE_EQ(grey_value(-1.0), 0.5);
    EXPECT_DOUBLE_EQ(grey_value(0.0), 0.0);
    EXPECT_NEAR(grey_value(0.1 + 0.5 / 0.42), 0.25, 1e-12);
    EXPECT_DOUBLE_EQ(grey_value(10.0), 0.5);
    EXPECT_DOUBLE_EQ(grey_value(62.9), 0.5);
    EXPECT_DOUBLE_EQ(grey_value(63.0), 0.0);
    EXPECT_NEAR(grey_value(63.0 + 0.5 / 0.6), 0.25, 1e-12);
    EXPECT_DOUBLE_EQ(grey_value(67.99), 0.5);
    EXPECT_DOUBLE_EQ(grey_value(68.0), 0.0);
    EXPECT_DOUBLE_EQ(grey_value(73.9), 0.5);
    EXPECT_NEAR(grey_value(75.0), 0.5 - 0.5 * clamp01(0.5), 1e-12);
    EXPECT_DOUBLE_EQ(grey_value(80.0), 0.0);
}

TEST(BlurAmount, StepsOnlyAt13_4_51_8And68) {
    // Sharp at first, softening and sharpening again over 10.5..13.2, fully soft from just past
    // 13.4; after 51.8 a lighter blur that swells and ebbs; 1 after the overlay; sharp again at
    // the crowd's start.
    EXPECT_DOUBLE_EQ(blur_amount(0.0), 0.0);
    EXPECT_DOUBLE_EQ(blur_amount(10.5), 0.0);
    EXPECT_NEAR(blur_amount(12.5), 1.0, 1e-12);
    EXPECT_NEAR(blur_amount(13.4), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(blur_amount(13.41), 2.0);
    EXPECT_DOUBLE_EQ(blur_amount(51.8), 2.0);
    EXPECT_DOUBLE_EQ(blur_amount(51.81), 0.4);
    EXPECT_NEAR(blur_amount(54.2), 1.0, 1e-12);
    EXPECT_NEAR(blur_amount(56.2), 0.5, 1e-12);
    EXPECT_NEAR(blur_amount(62.9), 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(blur_amount(63.0), 1.0);
    EXPECT_DOUBLE_EQ(blur_amount(67.99), 1.0);
    EXPECT_DOUBLE_EQ(blur_amount(68.0), 0.0);
    EXPECT_GT(blur_amount(71.7), 0.95) << "up over 69..71.9...";
    EXPECT_NEAR(blur_amount(74.4), 0.0, 1e-12) << "...and down again by 74.4";
    for (double t = -1.0; t < 80.0; t += 0.01) {
        const double step = blur_amount(t + 0.01) - blur_amount(t);
        const bool cut =
            (t < 13.4 && t + 0.01 > 13.4) || (t < 51.8 && t + 0.01 > 51.8) || (t < 68 && t + 0.01 >= 68);
        if (!cut) {
            EXPECT_LT(std::fabs(step), 0.03) << t;
        }
    }
}

TEST(BlurAmount, RisesAndFallsOnlyWhereItsRampsRun) {
    struct Ramp {
        double from, to;
        int direction;  // +1 rising, -1 falling
    };
    const Ramp ramps[] = {{10.5, 12.5, 1},  {12.5, 13.16, -1}, {53.2, 54.2, 1},  {55.2, 56.2, -1},
                          {58.3, 59.55, 1}, {69.0, 71.5, 1},   {71.9, 74.35, -1}};
    for (const Ramp& ramp : ramps)
        for (double t = ramp.from; t + 0.01 <= ramp.to; t += 0.01)
            EXPECT_GT(ramp.direction * (blur_amount(t + 0.01) - blur_amount(t)), 0.0) << t;
    for (double t : {5.0, 30.0, 52.5, 54.7, 57.5, 61.0, 65.0, 68.5, 76.0})
        EXPECT_DOUBLE_EQ(blur_amount(t + 0.01), blur_amount(t)) << "still at " << t;
}

TEST(ComposeGlow, SetBlurComesOnPast51Point8) {
    EXPECT_EQ(set_blur(51.8), 0.0f);
    EXPECT_EQ(set_blur(51.81), 1.0f);
    EXPECT_EQ(set_blur(70.0), 1.0f);
    EXPECT_EQ(set_blur(3.0), 0.0f);
}

TEST(Occlusion, WeakensAfter11AndAgainAfter56ThenHalves) {
    EXPECT_DOUBLE_EQ(ssao_factor(5.0), 1.0);
    EXPECT_DOUBLE_EQ(ssao_factor(13.0), 0.875);
    EXPECT_DOUBLE_EQ(ssao_factor(40.0), 0.75);
    EXPECT_NEAR(ssao_factor(58.0), 0.75 - 0.21 * 0.6, 1e-12);
    EXPECT_NEAR(ssao_factor(62.9), 0.54, 1e-12);
    EXPECT_DOUBLE_EQ(ssao_factor(63.0), 0.5);
}

TEST(Shake, GainSwellsEarlyAndTheStreakWeightFollowsItsWindows) {
    EXPECT_DOUBLE_EQ(shake_gain(0.0), 1.0);
    EXPECT_DOUBLE_EQ(shake_gain(3.0), 15.0);
    EXPECT_NEAR(shake_gain(7.0), 14.0 * clamp01(0.5) + 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(shake_gain(20.0), 1.0);
    EXPECT_DOUBLE_EQ(motion_blur_weight(1.0), 0.0);
    EXPECT_DOUBLE_EQ(motion_blur_weight(3.0), 1.0);
    EXPECT_NEAR(motion_blur_weight(4.3), clamp01(0.5), 1e-12);
    EXPECT_NEAR(motion_blur_weight(6.0), clamp01(0.6), 1e-12) << "the second swell";
    EXPECT_DOUBLE_EQ(motion_blur_weight(9.0), 0.0);
    EXPECT_DOUBLE_EQ(shake_offset(72.9), 2.0);
    EXPECT_DOUBLE_EQ(shake_offset(73.0), 120.0);
}

TEST(Lens, NarrowsTo38DegreesAroundTheTempleAndWidensAgain) {
    EXPECT_DOUBLE_EQ(field_of_view(50.0), 60.0);
    EXPECT_NEAR(field_of_view(58.25), 60.0 - 22.0 * clamp01(0.5), 1e-12);
    EXPECT_DOUBLE_EQ(field_of_view(60.0), 38.0);
    EXPECT_DOUBLE_EQ(field_of_view(70.0), 60.0);
    EXPECT_DOUBLE_EQ(scale_down(3.0), 3.5);
    EXPECT_NEAR(scale_down(13.0), 3.5 - 1.4 * 0.61 * 10.0, 1e-12);
}

TEST(CutOutPeople, FramesSwingAround48AndTheMarkerPlacesThem) {
    EXPECT_EQ(person_frame(0.0, 0, 0.3), 48);
    EXPECT_EQ(person_frame(0.0, 5, 0.9), static_cast<int>(48 + 48 * std::sin(1.5)));
    const double r = 0.5, t = 10.0;
    EXPECT_EQ(person_frame(t, 2, r), static_cast<int>(48 + 48 * std::sin((0.35 * r + 1.32) * 0.5 * t + 0.6)));
    for (double s = 0; s < 80; s += 0.37) {
        const int k = person_frame(s, 3, 0.7);
        EXPECT_GE(k, 0);
        EXPECT_LE(k, 96);
    }
    const Vector3 at = person_position({0.0f, 108.0f, 0.0f});
    EXPECT_FLOAT_EQ(at.x, -11.4f * 108.0f);
    EXPECT_FLOAT_EQ(at.y, 0.0f);
    EXPECT_FLOAT_EQ(at.z, -34.2f);
    EXPECT_FLOAT_EQ(person_position({5.0f, 0.0f, 0.0f}).z, 5.0f - 34.2f);
}

}  // namespace
