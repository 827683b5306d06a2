// The ant's leg cycle and the tripod gait built on it.
#include <gtest/gtest.h>

#include <cmath>

#include "scenes/finale/ant_drawing.h"
#include "scenes/kit/ant_gait.h"

namespace {

TEST(LegWave, SwingsBackOverTheFirstFifthAndForwardOverTheRest) {
    EXPECT_DOUBLE_EQ(ant_leg_wave(0.0), 1.0);
    EXPECT_DOUBLE_EQ(ant_leg_wave(0.1), 0.0);
    EXPECT_NEAR(ant_leg_wave(0.2), -1.0, 1e-12);
    EXPECT_NEAR(ant_leg_wave(0.6), 0.0, 1e-12);
    EXPECT_NEAR(ant_leg_wave(0.999), 1.0 - 2.5 * 0.001, 1e-9);
    // Periodic in whole cycles.
    EXPECT_NEAR(ant_leg_wave(7.35), ant_leg_wave(0.35), 1e-9);
    EXPECT_NEAR(ant_leg_wave(7.35), 2.0 * (1.0 - (1.0 - 1.25 * 0.15)) - 1.0, 1e-9);
}

TEST(LegPoses, TripodsSwingHalfACycleApartAndSidesMirror) {
    // Phase 0: b = 100, c = 225, a whole cycle: w = 1 for the first tripod, w(0.5) for the other.
    const auto poses = finale::leg_poses(0.0);
    const double w0 = 1.0, w1 = ant_leg_wave(0.5);
    EXPECT_EQ(poses[0].group, 2);
    EXPECT_FLOAT_EQ(poses[0].x_angle, static_cast<float>(5.0 * w0));
    EXPECT_FLOAT_EQ(poses[0].y_angle, static_cast<float>(12.0 + 13.0 * w0));     // left front
    EXPECT_FLOAT_EQ(poses[1].y_angle, static_cast<float>(10.0 * w1 - 6.0));      // left middle
    EXPECT_FLOAT_EQ(poses[3].y_angle, static_cast<float>(-(12.0 + 13.0 * w1)));  // right front
    EXPECT_FLOAT_EQ(poses[4].y_angle, static_cast<float>(10.0 * w0 + 6.0));      // right middle
    EXPECT_FLOAT_EQ(poses[0].hinge_z, -0.09f);
    EXPECT_FLOAT_EQ(poses[1].hinge_z, -0.05f);
    // A phase step of 1/4.5 is one whole leg cycle.
    const auto later = finale::leg_poses(1.0 / 4.5);
    EXPECT_NEAR(later[0].y_angle, poses[0].y_angle, 1e-3);
}

TEST(LegPoses, HeadTurnFollowsTheMirroredCycle) {
    // b = 2·0.1 + 100 = 100.2, c' = 2.25·(5003 − 100.2) = 11031.3: f = 0.3.
    EXPECT_NEAR(finale::head_turn(0.1), 5.0 * ant_leg_wave(0.3), 1e-6);
}

}  // namespace
