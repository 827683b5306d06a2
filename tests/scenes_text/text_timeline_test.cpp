// The final scene's pass windows, content windows and curves at chosen clock values.
#include <gtest/gtest.h>

#include "scenes/text/text_timeline.h"
#include "scenes/text/text_windows.h"

namespace {

namespace tw = text_windows;
namespace tt = text_timeline;

TEST(TextPasses, LightPassRestsStrictlyInside67_5To89_1) {
    EXPECT_TRUE(tw::light_pass(25.0));
    EXPECT_TRUE(tw::light_pass(67.5));
    EXPECT_FALSE(tw::light_pass(67.51));
    EXPECT_FALSE(tw::light_pass(80.0));
    EXPECT_FALSE(tw::light_pass(89.09));
    EXPECT_TRUE(tw::light_pass(89.1));
    EXPECT_TRUE(tw::light_pass(150.0));
}

TEST(TextPasses, MirroredPassStopsAt66_5AndGlowStartsAt99_5) {
    EXPECT_TRUE(tw::mirrored_pass.holds(25.0));
    EXPECT_TRUE(tw::mirrored_pass.holds(66.49));
    EXPECT_FALSE(tw::mirrored_pass.holds(66.5));
    EXPECT_FALSE(tw::glow_pass(99.49));
    EXPECT_TRUE(tw::glow_pass(99.5));
    EXPECT_TRUE(tw::glow_pass(170.0));
}

TEST(TextCompose, GreyValueIsThePictureAsItIsOverTheWholeScene) {
    EXPECT_DOUBLE_EQ(tt::grey_value(0.1), 0.0);
    EXPECT_NEAR(tt::grey_value(0.1 + 1.0 / 1.2), 0.25, 1e-12);
    for (double t : {1.77, 25.0, 60.0, 121.0, 174.0}) EXPECT_DOUBLE_EQ(tt::grey_value(t), 0.5) << t;
}

TEST(TextCompose, ShaftLimitAndSetBlur) {
    EXPECT_DOUBLE_EQ(tt::shaft_limit(115.7), 0.0);
    EXPECT_NEAR(tt::shaft_limit(118.7), 0.45, 1e-12);
    EXPECT_DOUBLE_EQ(tt::shaft_limit(130.0), 1.0);
    EXPECT_DOUBLE_EQ(tt::set_blur(51.79), 0.0);
    EXPECT_DOUBLE_EQ(tt::set_blur(51.8), 1.0);
}

TEST(TextSky, ClearColourComesUpAfter30WarmsAfter45_8AndIsBlackAfter98_4) {
    EXPECT_EQ(tt::clear_colour(29.0), (std::array<float, 3>{0, 0, 0}));
    const auto night = tt::clear_colour(40.0);
    EXPECT_FLOAT_EQ(night[1], 0.02f);
    EXPECT_FLOAT_EQ(night[2], 0.045f);
    const auto half = tt::clear_colour(32.0);
    EXPECT_FLOAT_EQ(half[2], 0.0225f);
    const auto dusk = tt::clear_colour(60.0);
    EXPECT_FLOAT_EQ(dusk[0], 0.02f);
    EXPECT_FLOAT_EQ(dusk[2], 0.01f);
    const auto falling = tt::clear_colour(96.0);
    EXPECT_FLOAT_EQ(falling[0], 0.02f * 0.7f);
    EXPECT_EQ(tt::clear_colour(98.4), (std::array<float, 3>{0, 0, 0}));
}

TEST(TextEnding, LetteringAndGlowFollowTheMusicFade) {
    EXPECT_DOUBLE_EQ(tt::ending_level(454.0), 1.0);
    EXPECT_DOUBLE_EQ(tt::ending_level(495.0), 1.0);
    EXPECT_NEAR(tt::ending_level(500.0), 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(tt::ending_level(505.0), 0.0);
    EXPECT_DOUBLE_EQ(tt::ending_level(506.0), 0.0);
    EXPECT_DOUBLE_EQ(tt::glow_level(99.0, 440.0), 0.0);
    EXPECT_GT(tt::glow_level(110.0, 450.0), 0.9);
    EXPECT_NEAR(tt::glow_level(160.0, 500.0), 0.5, 1e-12);
}

TEST(TextContent, FacesVanishInTheirOrderAndCreditsComeInAfterTheyHaveGone) {
    for (size_t i = 0; i < tw::face_ends_a.size(); ++i) {
        EXPECT_GT(tw::face_ends_a[i], tw::faces_from);
        EXPECT_LT(tw::face_ends_a[i], tw::credits_from);
    }
    EXPECT_EQ(tw::credit_lines.front(), tw::credits_from);
    for (size_t i = 1; i < tw::credit_lines.size(); ++i)
        EXPECT_GT(tw::credit_lines[i], tw::credit_lines[i - 1]);
}

}  // namespace
