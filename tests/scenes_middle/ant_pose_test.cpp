// The ant's gait: the sawtooth and the nine part turns for given phases.
#include <gtest/gtest.h>

#include <map>

#include "scenes/kit/ant_gait.h"
#include "scenes/middle/ant_pose.h"

namespace {

using namespace middle;

TEST(AntSawtooth, SwingsQuicklyDownThenReturnsSlowly) {
    EXPECT_DOUBLE_EQ(ant_leg_wave(3.0), 1.0);
    EXPECT_NEAR(ant_leg_wave(3.1), 0.0, 1e-12);
    EXPECT_NEAR(ant_leg_wave(3.2), -1.0, 1e-12);
    EXPECT_NEAR(ant_leg_wave(3.6), 0.0, 1e-12);
    EXPECT_NEAR(ant_leg_wave(3.99), 2.5 * 0.79 - 1.0, 1e-9);
}

std::map<int, AntPartTurn> by_part(double phase) {
    std::map<int, AntPartTurn> parts;
    for (const AntPartTurn& turn : ant_pose(phase)) parts[turn.part] = turn;
    return parts;
}

TEST(AntPose, PhaseZeroGivesDOneAndEThreeEighths) {
    // a = 0: b = 100, d = W(225) = 1, e = W(2.25 · 4903) = W(11031.75) = 2.5 · 0.55 − 1.
    const double d = 1.0, e = 0.375;
    const auto parts = by_part(0.0);
    ASSERT_EQ(parts.size(), 9u) << "every part drawn once";
    EXPECT_FLOAT_EQ(parts.at(2).angle_x, 5 * d);
    EXPECT_FLOAT_EQ(parts.at(2).angle_y, 13 * d);
    EXPECT_FLOAT_EQ(parts.at(2).hinge, -0.09f);
    EXPECT_FLOAT_EQ(parts.at(3).angle_y, -12 - 13 * e);
    EXPECT_FLOAT_EQ(parts.at(3).hinge, -0.05f);
    EXPECT_FLOAT_EQ(parts.at(4).angle_x, 2 * d);
    EXPECT_FLOAT_EQ(parts.at(4).angle_y, 10 * d - 6);
    EXPECT_FLOAT_EQ(parts.at(6).angle_x, 5 * e);
    EXPECT_FLOAT_EQ(parts.at(6).angle_y, 13 * e);
    EXPECT_FLOAT_EQ(parts.at(7).angle_y, 12 - 13 * d);
    EXPECT_FLOAT_EQ(parts.at(8).angle_y, 10 * e + 6);
    EXPECT_FLOAT_EQ(parts.at(1).angle_x, 0.0f);
    EXPECT_FLOAT_EQ(parts.at(1).angle_y, 0.0f);
    EXPECT_FLOAT_EQ(parts.at(0).hinge, -0.18f);
    EXPECT_FLOAT_EQ(parts.at(0).angle_y, 5 * e);
    EXPECT_FLOAT_EQ(parts.at(5).hinge, 0.1f);
    EXPECT_FLOAT_EQ(parts.at(5).angle_y, -5 * e);
}

TEST(AntPose, TheTwoSidesRunOnOppositeSignals) {
    // a = 0.05: b = 100.1, c = 225.225 → d = W(0.225) = 2.5 · 0.025 − 1;
    // b' = 2.25 · 4902.9 = 11031.525 → e = W(0.525) = 2.5 · 0.325 − 1.
    const double d = 2.5 * 0.025 - 1.0, e = 2.5 * 0.325 - 1.0;
    const auto parts = by_part(0.05);
    EXPECT_NEAR(parts.at(2).angle_y, 13 * d, 1e-4);
    EXPECT_NEAR(parts.at(6).angle_y, 13 * e, 1e-4);
    EXPECT_NEAR(parts.at(7).angle_y, 12 - 13 * d, 1e-4);
    EXPECT_NEAR(parts.at(3).angle_y, -12 - 13 * e, 1e-4);
    // Drawing order: right legs, left legs, thorax, head, gaster.
    const auto pose = ant_pose(0.05);
    const int order[9] = {2, 3, 4, 6, 7, 8, 1, 0, 5};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(pose[i].part, order[i]);
}

}  // namespace
