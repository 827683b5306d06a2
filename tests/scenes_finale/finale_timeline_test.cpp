// The final scene's pass windows, content windows and curves at chosen clock values.
#include <gtest/gtest.h>

#include "scenes/finale/finale_timeline.h"
#include "scenes/finale/finale_windows.h"

namespace {

TEST(FinalePasses, LightPassRestsStrictlyInside67_5To89_1) {
    EXPECT_TRUE(finale::light_pass(25.0));
    EXPECT_TRUE(finale::light_pass(67.5));
    EXPECT_FALSE(finale::light_pass(67.51));
    EXPECT_FALSE(finale::light_pass(80.0));
    EXPECT_FALSE(finale::light_pass(89.09));
    EXPECT_TRUE(finale::light_pass(89.1));
    EXPECT_TRUE(finale::light_pass(150.0));
}

TEST(FinalePasses, MirroredPassStopsAt66_5AndGlowStartsAt99_5) {
    EXPECT_TRUE(finale::mirrored_pass.holds(25.0));
    EXPECT_TRUE(finale::mirrored_pass.holds(66.49));
    EXPECT_FALSE(finale::mirrored_pass.holds(66.5));
    EXPECT_FALSE(finale::glow_pass(99.49));
    EXPECT_TRUE(finale::glow_pass(99.5));
    EXPECT_TRUE(finale::glow_pass(170.0));
}

TEST(FinaleCompose, GreyValueIsThePictureAsItIsOverTheWholeScene) {
    EXPECT_DOUBLE_EQ(finale::grey_value(0.1), 0.0);
    EXPECT_NEAR(finale::grey_value(0.1 + 1.0 / 1.2), 0.25, 1e-12);
    for (double t : {1.77, 25.0, 60.0, 121.0, 174.0}) EXPECT_DOUBLE_EQ(finale::grey_value(t), 0.5) << t;
}

TEST(FinaleCompose, ShaftLimitAndSetBlur) {
    EXPECT_DOUBLE_EQ(finale::shaft_limit(115.7), 0.0);
    EXPECT_NEAR(finale::shaft_limit(118.7), 0.45, 1e-12);
    EXPECT_DOUBLE_EQ(finale::shaft_limit(130.0), 1.0);
    EXPECT_DOUBLE_EQ(finale::set_blur(51.79), 0.0);
    EXPECT_DOUBLE_EQ(finale::set_blur(51.8), 1.0);
}

TEST(FinaleSky, ClearColourComesUpAfter30WarmsAfter45_8AndIsBlackAfter98_4) {
    EXPECT_EQ(finale::clear_colour(29.0), (std::array<float, 3>{0, 0, 0}));
    const auto night = finale::clear_colour(40.0);
    EXPECT_FLOAT_EQ(night[1], 0.02f);
    EXPECT_FLOAT_EQ(night[2], 0.045f);
    const auto half = finale::clear_colour(32.0);
    EXPECT_FLOAT_EQ(half[2], 0.0225f);
    const auto dusk = finale::clear_colour(60.0);
    EXPECT_FLOAT_EQ(dusk[0], 0.02f);
    EXPECT_FLOAT_EQ(dusk[2], 0.01f);
    const auto falling = finale::clear_colour(96.0);
    EXPECT_FLOAT_EQ(falling[0], 0.02f * 0.7f);
    EXPECT_EQ(finale::clear_colour(98.4), (std::array<float, 3>{0, 0, 0}));
}

TEST(FinaleEnding, LetteringAndGlowFollowTheMusicFade) {
    EXPECT_DOUBLE_EQ(finale::ending_level(454.0), 1.0);
    EXPECT_DOUBLE_EQ(finale::ending_level(495.0), 1.0);
    EXPECT_NEAR(finale::ending_level(500.0), 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(finale::ending_level(505.0), 0.0);
    EXPECT_DOUBLE_EQ(finale::ending_level(506.0), 0.0);
    EXPECT_DOUBLE_EQ(finale::glow_level(99.0, 440.0), 0.0);
    EXPECT_GT(finale::glow_level(110.0, 450.0), 0.9);
    EXPECT_NEAR(finale::glow_level(160.0, 500.0), 0.5, 1e-12);
}

}  // namespace
