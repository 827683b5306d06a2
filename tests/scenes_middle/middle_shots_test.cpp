// The middle scene's cameras: new base shots take over at 50.95, 63 and 68 (each behind a fade),
// and inside a base the view moves smoothly.
#include <gtest/gtest.h>

#include "core/vector3.h"
#include "scenes/middle/middle_shots.h"

namespace {

using namespace middle;

float distance(const Vector3& a, const Vector3& b) { return length(b - a); }

TEST(MiddleShots, BaseShotsTakeOverAt50Point95And63And68) {
    EXPECT_EQ(base_shot(0.0).at, base_shot(50.94).at);
    EXPECT_NE(base_shot(50.94).at, base_shot(50.95).at);
    EXPECT_EQ(base_shot(50.95).from, 50.95);
    EXPECT_EQ(base_shot(62.99).from, 50.95);
    EXPECT_EQ(base_shot(63.0).from, 63.0);
    EXPECT_EQ(base_shot(67.99).from, 63.0);
    EXPECT_EQ(base_shot(68.0).from, 68.0);
    EXPECT_EQ(base_shot(90.0).from, 68.0);
    EXPECT_EQ(base_shot(-5.0).at, base_shot(0.0).at) << "before the clock starts the first shot holds";
}

TEST(MiddleShots, TheViewMovesSmoothlyInsideABaseAndCutsAtItsEnd) {
    for (double from : {0.0, 51.0, 63.05, 68.05}) {
        const double to = from == 0.0 ? 50.9 : from == 51.0 ? 62.95 : from == 63.05 ? 67.95 : 79.0;
        for (double t = from; t + 0.05 < to; t += 0.05) {
            const Shot a = view_shot(t), b = view_shot(t + 0.05);
            ASSERT_LT(distance(a.eye, b.eye), 0.5f) << t;
            ASSERT_LT(distance(a.centre, b.centre), 0.5f) << t;
        }
    }
    EXPECT_GT(distance(view_shot(50.94).eye, view_shot(50.95).eye), 1.0f);
}

TEST(MiddleShots, TheLightStandsHighInFrontOfTheStage) {
    for (double t = 0.0; t < 80.0; t += 5.0) {
        const Shot light = light_shot(t);
        EXPECT_GT(light.eye.y, 20.0f);
        EXPECT_GT(light.eye.z, light.centre.z + 20.0f);
    }
}

}  // namespace
