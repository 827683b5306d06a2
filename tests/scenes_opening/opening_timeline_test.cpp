#include "scenes/opening/opening_timeline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// ease_cos(0.5, 2): h = 0.5, (1 - 0.5^1.5)^2.
const double half_ease2 = std::pow(1.0 - std::pow(0.5, 1.5), 2.0);

TEST(OpeningTimeline, PassSwitchesAtTheirBoundaries) {
    EXPECT_TRUE(opening::runs_background_prepass(4.15));
    EXPECT_TRUE(opening::runs_background_prepass(27.0));
    EXPECT_FALSE(opening::runs_background_prepass(27.01));
    EXPECT_FALSE(opening::runs_background_prepass(30.79));
    EXPECT_TRUE(opening::runs_background_prepass(30.8));
    EXPECT_TRUE(opening::runs_background_prepass(51.8));
    EXPECT_FALSE(opening::runs_background_prepass(51.81));

    EXPECT_FALSE(opening::runs_depth_prepass(51.848));
    EXPECT_TRUE(opening::runs_depth_prepass(51.849));
    EXPECT_TRUE(opening::runs_highlight_passes(51.89));
    EXPECT_FALSE(opening::runs_highlight_passes(51.9));
}

TEST(OpeningTimeline, ProjectionNarrowsWhenTheWorldChanges) {
    EXPECT_DOUBLE_EQ(opening::scene_fov(10.0), 65.0);
    EXPECT_DOUBLE_EQ(opening::scene_fov(46.0), 66.0);  // the one-degree swell between 40 and 51
    EXPECT_DOUBLE_EQ(opening::scene_far(51.848), 4200.0);
    EXPECT_DOUBLE_EQ(opening::scene_fov(51.85), 55.0);
    EXPECT_DOUBLE_EQ(opening::scene_far(51.85), 550.0);
    EXPECT_DOUBLE_EQ(opening::projector_fov(60.0), 65.0);
    EXPECT_DOUBLE_EQ(opening::projector_fov(80.0), 70.0);
    EXPECT_EQ(opening::clear_colour(103.0)[2], 0.0f);
    EXPECT_EQ(opening::clear_colour(103.1)[2], 0.56f);
}

TEST(OpeningTimeline, LimitDipsAndSettles) {
    EXPECT_DOUBLE_EQ(opening::composite_limit(5.0, 0.0), 1.0);
    EXPECT_NEAR(opening::composite_limit(12.5 + 1.0 / 3.0, 0.0), 1.0 - half_ease2, 1e-12);
    EXPECT_NEAR(opening::composite_limit(14.0, 0.0), 0.0, 1e-12);
    EXPECT_NEAR(opening::composite_limit(16.0, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(opening::composite_limit(60.0, 0.0), 0.0, 1e-12);
    // The developer's camera_z moves the last dip.
    EXPECT_NEAR(opening::composite_limit(36.0, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(opening::composite_limit(36.0, 1.0), 1.0 - half_ease2, 1e-12);
}

TEST(OpeningTimeline, FloRisesThenSinksBelowZero) {
    EXPECT_DOUBLE_EQ(opening::composite_flo(5.0), 0.0);
    EXPECT_NEAR(opening::composite_flo(6.0 + 1.25), half_ease2, 1e-12);
    EXPECT_NEAR(opening::composite_flo(10.0), 1.0, 1e-12);
    EXPECT_NEAR(opening::composite_flo(54.75), 0.2 - half_ease2, 1e-12);
    EXPECT_NEAR(opening::composite_flo(60.0), -0.8, 1e-12);
}

TEST(OpeningTimeline, MotionBlurPulsesOnlyAfterTheVisiblePart) {
    for (double s : {4.15, 16.8, 56.0, 70.6, 72.1}) {
        const auto blur = opening::composite_motion_blur(s);
        EXPECT_EQ(blur[0], 0.0f);
        EXPECT_EQ(blur[1], 0.0f);
    }
    // Middle of the first pulse: 1.15·sin(π/2) clipped to 1.
    EXPECT_FLOAT_EQ(opening::composite_motion_blur(72.1 + 0.5 / 0.28)[0], 0.0306f);
    // Middle of the vertical pulse.
    EXPECT_FLOAT_EQ(opening::composite_motion_blur(100.5 + 0.5 / 0.7)[1], 0.057f);
    EXPECT_EQ(opening::composite_motion_blur(100.5 + 0.5 / 0.7)[2], 0.0f);
}

TEST(OpeningTimeline, FadeStaysClearUntil116) {
    EXPECT_DOUBLE_EQ(opening::fade_level(60.0), 0.0);
    EXPECT_DOUBLE_EQ(opening::fade_level(116.0), 0.0);
    EXPECT_NEAR(opening::fade_level(116.0 + 0.5 / 0.35), 0.5, 1e-12);
    EXPECT_NEAR(opening::fade_level(116.0 + 1.0 / 0.35), 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(opening::fade_level(130.0), 1.0);
}

TEST(OpeningCompose, UniformsFollowTheClockAndTheShaftPasses) {
    const ComposeUniforms sea = opening::compose_uniforms(14.0, 0.0, 0.0);
    EXPECT_EQ(sea.mode, 1);
    EXPECT_FLOAT_EQ(sea.ttime, 14.0f);
    EXPECT_NEAR(sea.limit, 0.0f, 1e-6) << "the first dip of Limit is at its bottom";
    EXPECT_NEAR(sea.flo, 1.0f, 1e-6);
    EXPECT_TRUE(sea.shafts);
    EXPECT_FALSE(sea.random);
    const ComposeUniforms stage = opening::compose_uniforms(60.0, 0.0, 0.0);
    EXPECT_FALSE(stage.shafts) << "the shaft passes stop at 51.9";
    EXPECT_NEAR(stage.flo, -0.8f, 1e-6);
    EXPECT_EQ(stage.fade, 0.0f);
    // A developer's camera height reaches "PosY" clamped to 0..1.
    EXPECT_EQ(opening::compose_uniforms(20.0, 3.0, 0.0).pos_y, 1.0f);
    EXPECT_EQ(opening::compose_uniforms(20.0, -2.0, 0.0).pos_y, 0.0f);
    EXPECT_NEAR(opening::compose_uniforms(118.86, 0.0, 0.0).fade, 1.0f, 1e-4);
}

}  // namespace
