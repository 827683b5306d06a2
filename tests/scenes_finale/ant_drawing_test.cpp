// The final scene's ant: the tripod gait built on the ants' leg cycle (kit/ant_gait.h, tested
// with the middle scene's ant).
#include <gtest/gtest.h>

#include <cmath>

#include "scenes/finale/ant_drawing.h"

namespace {

// A step of the phase that moves the leg cycle on by a whole cycle (the cycle runs at 4.5·phase).
constexpr double cycle = 1.0 / 4.5;

TEST(LegPoses, EachLegIsDrawnOnceAndTurnsAboutItsOwnJoint) {
    const auto poses = finale::leg_poses(0.3);
    int groups = 0;
    for (const finale::LegPose& leg : poses) {
        groups |= 1 << leg.group;
        EXPECT_LT(leg.hinge_z, 0.01f) << "joints lie on the thorax, ahead of the waist";
        EXPECT_GT(leg.hinge_z, -0.1f);
    }
    EXPECT_EQ(groups, (1 << 2) | (1 << 3) | (1 << 4) | (1 << 6) | (1 << 7) | (1 << 8));
}

TEST(LegPoses, TheTwoTripodsRunHalfACycleApartAndTheSidesMirror) {
    for (double a : {0.0, 0.05, 0.61, 7.3}) {
        const auto now = finale::leg_poses(a), half_on = finale::leg_poses(a + cycle / 2);
        // Left front (0) and right front (3) are in different tripods: half a cycle on, the left
        // one lifts and swings as the right one did, mirrored.
        EXPECT_NEAR(half_on[0].x_angle, now[3].x_angle, 1e-3) << a;
        EXPECT_NEAR(half_on[0].y_angle, -now[3].y_angle, 1e-3) << a;
        // Left front and left hind (2) are in the same tripod: they lift together.
        EXPECT_NEAR(now[0].x_angle, now[2].x_angle, 1e-4) << a;
        const auto next = finale::leg_poses(a + cycle);
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(next[i].y_angle, now[i].y_angle, 2e-3) << a << " leg " << i;
    }
}

TEST(LegPoses, LegsSwingWithinTheirRangeAndWithoutAJump) {
    for (double a = 0.0; a < 1.0; a += 0.001) {
        const auto now = finale::leg_poses(a), next = finale::leg_poses(a + 0.001);
        for (int i = 0; i < 6; ++i) {
            EXPECT_LE(std::fabs(now[i].x_angle), 5.0f);
            // Front and hind legs swing out by 12 ± 13 degrees, the middle ones by 10·w ∓ 6.
            EXPECT_LE(std::fabs(now[i].y_angle), 25.0f);
            EXPECT_LT(std::fabs(next[i].y_angle - now[i].y_angle), 0.6f) << a << " leg " << i;
        }
    }
}

TEST(LegPoses, TheHeadNodsOnItsOwnCycleWithinFiveDegrees) {
    double smallest = 5, largest = -5;
    for (double a = 0.0; a < cycle; a += 0.001) {
        const double turn = finale::head_turn(a);
        smallest = std::min(smallest, turn);
        largest = std::max(largest, turn);
        EXPECT_NEAR(finale::head_turn(a + cycle), turn, 1e-3);
    }
    EXPECT_NEAR(smallest, -5.0, 0.05);
    EXPECT_NEAR(largest, 5.0, 0.05);
}

}  // namespace
