// The final scene's cameras: the light camera's offsets, and a view that moves without jumps and
// never stands inside the wall.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/easing.h"
#include "scenes/finale/finale_shots.h"
#include "scenes/finale/finale_stage.h"
#include "scenes/finale/finale_windows.h"

namespace {

Shot some_view() {
    return {{Vector3::ordinary, 1.0f, 2.0f, 3.0f},
            {Vector3::ordinary, 0.0f, 1.0f, -5.0f},
            {Vector3::ordinary, 0.0f, 1.0f, 0.0f}};
}

float distance(const Vector3& a, const Vector3& b) { return length(a - b); }

TEST(LightShot, FollowsTheViewFromJustBelowUntil80) {
    const Shot view = some_view();
    // Before 23: m = 1.
    Shot light = finale::light_shot(view, 20.0);
    EXPECT_FLOAT_EQ(light.eye.y, 2.0f - 0.5f);
    EXPECT_FLOAT_EQ(light.eye.z, 3.0f + 0.5f);
    EXPECT_FLOAT_EQ(light.centre.z, view.centre.z);
    // At 25: m = 1 − 0.6·0.6 = 0.64.
    light = finale::light_shot(view, 25.0);
    EXPECT_NEAR(light.eye.y, 2.0 - 0.32, 1e-6);
    EXPECT_NEAR(light.eye.z, 3.0 + 0.32, 1e-6);
    // From 26.33 on: m = 0.4.
    light = finale::light_shot(view, 60.0);
    EXPECT_NEAR(light.eye.y, 2.0 - 0.2, 1e-6);
    EXPECT_FLOAT_EQ(light.eye.x, 1.0f);
}

TEST(LightShot, StandsHighBehindAfter80AndSwingsBackFrom106) {
    const Shot view = some_view();
    Shot light = finale::light_shot(view, 80.5);
    EXPECT_FLOAT_EQ(light.eye.y, 26.0f);
    EXPECT_FLOAT_EQ(light.eye.z, 3.0f - 8.0f);
    light = finale::light_shot(view, 108.0);
    EXPECT_NEAR(light.eye.z, 3.0 - 8.0 - 27.4 * ease_cos(0.5, 1.0), 1e-4);
    light = finale::light_shot(view, 120.0);
    EXPECT_NEAR(light.eye.z, 3.0 - 8.0 - 27.4, 1e-4);
}

TEST(ViewShot, MovesWithoutJumpsOverTheWholeScene) {
    // At 25 frames a second no frame moves the eye or the centre by more than a stride.
    Shot previous = finale::view_shot(25.0);
    for (double t = 25.04; t < 175.0; t += 0.04) {
        const Shot shot = finale::view_shot(t);
        EXPECT_LT(distance(shot.eye, previous.eye), 0.25f) << t;
        EXPECT_LT(distance(shot.centre, previous.centre), 0.6f) << t;
        EXPECT_GT(length(shot.centre - shot.eye), 0.3f) << t;
        previous = shot;
    }
}

TEST(ViewShot, NeverPassesThroughTheWallAndStaysBehindItFromTheHouseOn) {
    // The wall stands from 44 to the end of the scene (its clock ends near 170), its pieces strewn
    // in front of it within its width.
    const float half_width = 1.5f * finale::wall_scale, top = finale::wall_at.y + 1.5f * finale::wall_scale;
    for (double t = finale::wall.from; t < 170.0; t += 0.05) {
        const Vector3 eye = finale::view_shot(t).eye;
        const bool within = std::fabs(eye.x - finale::wall_at.x) < half_width + 0.5f && eye.y < top &&
                            std::fabs(eye.z - finale::wall_at.z) < 1.0f;
        EXPECT_FALSE(within) << t;
        if (t > 68.0) {
            EXPECT_LT(eye.z, finale::wall_at.z - 0.5f) << t;
        }
    }
}

TEST(ViewShot, LooksAtTheCreditsWhileTheyStand) {
    for (double t : {125.0, 150.0, 170.0}) {
        const Shot shot = finale::view_shot(t);
        const Vector3 to_credits = finale::credits_at - shot.eye;
        const Vector3 view = shot.centre - shot.eye;
        const float cosine = (to_credits.x * view.x + to_credits.y * view.y + to_credits.z * view.z) /
                             (length(to_credits) * length(view));
        EXPECT_GT(cosine, 0.97f) << t;
    }
}

}  // namespace
