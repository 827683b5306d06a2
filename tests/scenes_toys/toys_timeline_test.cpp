// The toys scene's section fades, blur, occlusion strength and material curves at chosen clock
// values, and the compose uniforms built from them.
#include <gtest/gtest.h>

#include <cmath>

#include "core/easing.h"
#include "scenes/toys/toys_timeline.h"

namespace {

double E(double t, double a, double r) { return ease_cos(std::min(std::max((t - a) * r, 0.0), 1.0), 1.0); }

TEST(ToysGreyValue, FadesInFromWhiteThenCutsToBlackAtZero) {
    EXPECT_NEAR(toys::grey_value(-7.1), 1.0, 1e-12);  // white before -7
    EXPECT_NEAR(toys::grey_value(-6.0), 1.0 - 0.5 * E(-6.0, -7.0, 0.7), 1e-12);
    EXPECT_NEAR(toys::grey_value(-1.0), 0.5, 1e-12);  // the picture as it is
    EXPECT_NEAR(toys::grey_value(0.0), 0.0, 1e-12);   // the cut at 0 is black
    EXPECT_NEAR(toys::grey_value(1.0), 0.5 * E(1.0, 0.0, 0.6), 1e-12);
}

TEST(ToysGreyValue, EachSectionReplacesThePreviousAtItsStart) {
    EXPECT_NEAR(toys::grey_value(3.0), 0.5, 1e-12) << "3 itself still belongs to the previous row";
    EXPECT_NEAR(toys::grey_value(3.2), 0.5 * E(3.2, 3.0, 1.1), 1e-12);
    EXPECT_NEAR(toys::grey_value(21.5), 0.5 * E(21.5, 21.0, 1.1), 1e-12);
    EXPECT_NEAR(toys::grey_value(40.5), 0.5 - 0.5 * E(40.5, 39.9, 0.84), 1e-12);
    EXPECT_NEAR(toys::grey_value(41.0), 0.5 - 0.5 * E(41.0, 39.9, 0.84), 1e-12)
        << "41 itself still fades out";
    EXPECT_NEAR(toys::grey_value(41.05), 0.5 * E(41.05, 41.0, 1.1), 1e-12) << "then in again from black";
    EXPECT_NEAR(toys::grey_value(73.2), 1.0 - 0.5 * E(73.2, 73.0, 1.1), 1e-12)
        << "the tank section opens white";
    EXPECT_NEAR(toys::grey_value(89.5), 0.5 * E(89.5, 89.0, 0.6), 1e-12);
    EXPECT_NEAR(toys::grey_value(107.6), 0.58 - 0.08 * E(107.6, 107.5, 1.6), 1e-12);
    EXPECT_NEAR(toys::grey_value(120.0), 0.5, 1e-12);
}

TEST(ToysGreyValue, FadesOutFrom131AndAHalf) {
    EXPECT_NEAR(toys::grey_value(131.5), 0.5, 1e-12);
    EXPECT_NEAR(toys::grey_value(132.5), 0.5 - 0.5 * E(132.5, 131.5, 0.5), 1e-12);
    EXPECT_NEAR(toys::grey_value(133.5), 0.0, 1e-12);
    EXPECT_NEAR(toys::grey_value(243.0), 0.0, 1e-12) << "the jump lands on a black picture";
}

TEST(ToysBlur, FullUntil112ThenClearsAndReturns) {
    EXPECT_NEAR(toys::blur_amount(50.0), 1.0, 1e-12);
    EXPECT_NEAR(toys::blur_amount(112.0 + 0.5 / 1.85), 0.5, 1e-12);
    EXPECT_NEAR(toys::blur_amount(114.0), 0.0, 1e-12);
    EXPECT_NEAR(toys::blur_amount(116.0), 1.0, 1e-12);
    EXPECT_NEAR(toys::blur_amount(123.5), 0.0, 1e-12);
    EXPECT_NEAR(toys::blur_amount(130.0), 1.0, 1e-12);
}

TEST(ToysBlur, TankSectionHasItsOwnCurveAndDepthBlur) {
    EXPECT_NEAR(toys::blur_amount(73.0), 0.0, 1e-12);
    EXPECT_NEAR(toys::blur_amount(76.0), E(76.0, 74.0, 0.25), 1e-12);
    EXPECT_NEAR(toys::blur_amount(82.0), 0.0, 1e-12);
    EXPECT_NEAR(toys::blur_amount(88.9), E(88.9, 85.0, 0.25), 1e-12);
    EXPECT_NEAR(toys::blur_amount(89.0), 1.0, 1e-12) << "back to the general rule at 89";
    EXPECT_EQ(toys::which_blur(72.99), 0.0);
    EXPECT_EQ(toys::which_blur(73.0), 1.0);
    EXPECT_EQ(toys::which_blur(89.0), 0.0);
    EXPECT_EQ(toys::which_blur(107.4), 0.0);
    EXPECT_EQ(toys::which_blur(107.5), 1.0);
}

TEST(ToysBlur, ZoomBlurFallsFromSixtyTowardsZeroPointSixInTheTankSection) {
    EXPECT_EQ(toys::zoom_blur(72.9), 0.0);
    EXPECT_NEAR(toys::zoom_blur(73.0), 60.0, 1e-12);
    EXPECT_NEAR(toys::zoom_blur(75.9), 60.0 - 59.4 * 0.5, 1e-9);
    EXPECT_NEAR(toys::zoom_blur(88.0), 0.6, 1e-12);
    EXPECT_EQ(toys::zoom_blur(89.0), 0.0);
}

TEST(ToysCompose, UniformsFollowTheClock) {
    const ComposeUniforms u = toys::compose_uniforms(80.0, 0.25f);
    EXPECT_EQ(u.mode, 2);
    EXPECT_FLOAT_EQ(u.ttime, 80.0f);
    EXPECT_FLOAT_EQ(u.dsp, 0.25f);
    EXPECT_FLOAT_EQ(u.limit, static_cast<float>(toys::blur_amount(80.0)));
    EXPECT_FLOAT_EQ(u.fade, static_cast<float>(toys::grey_value(80.0)));
    EXPECT_FLOAT_EQ(u.is_middle_scene, static_cast<float>(toys::zoom_blur(80.0)));
    EXPECT_EQ(u.which_blur, 1.0f);
    EXPECT_EQ(u.motion_blur[0] + u.motion_blur[1] + u.motion_blur[2], 0.0f);
    EXPECT_TRUE(u.random);
    EXPECT_FALSE(u.shafts);
}

TEST(ToysMaterialCurves, FogShadowRunningAndTimers) {
    EXPECT_DOUBLE_EQ(toys::ssao_factor(8.0), 0.73);
    EXPECT_DOUBLE_EQ(toys::ssao_factor(20.0), 1.06);
    EXPECT_DOUBLE_EQ(toys::fog_level(12.0), 1.0);
    EXPECT_NEAR(toys::fog_level(14.5), 1.0 + 3.4 * 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(toys::shadow_level(8.0), 0.0);
    EXPECT_NEAR(toys::shadow_level(9.0), 0.3, 1e-12);
    EXPECT_DOUBLE_EQ(toys::running(41.0), 0.0);
    EXPECT_NEAR(toys::running(51.0), 144.0 * soft_ramp(10.0), 1e-9);
    EXPECT_DOUBLE_EQ(toys::running(105.1), 0.0);
    EXPECT_NEAR(toys::chess_timer(10.2), 0.5, 1e-12);
    // The tank timers: the second rises over 16..20.5; the first dips by the sine bump.
    EXPECT_NEAR(toys::tank_timer2(16.0 + 0.5 / 0.22), 0.5, 1e-12);
    EXPECT_NEAR(toys::tank_timer1(8.2), 0.0, 1e-12);
    EXPECT_NEAR(toys::tank_timer1(15.0 + 0.5 / 0.35), ease_cos(1.0 - 0.5, 1.0), 1e-12);
    EXPECT_NEAR(toys::tank_timer1(80.0), 1.0, 1e-12);
}

}  // namespace
