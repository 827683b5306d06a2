// The ant's gait: the leg cycle it walks on, and the nine part turns as the phase runs.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "scenes/kit/ant_gait.h"
#include "scenes/middle/ant_pose.h"

namespace {

using namespace middle;

TEST(AntLegWave, SwingsBackOverTheFirstFifthAndForwardOverTheRestWithoutAJump) {
    EXPECT_DOUBLE_EQ(ant_leg_wave(3.0), 1.0);
    EXPECT_NEAR(ant_leg_wave(3.2), -1.0, 1e-12) << "fully back after a fifth";
    EXPECT_NEAR(ant_leg_wave(3.6), 0.0, 1e-12);
    EXPECT_NEAR(ant_leg_wave(3.999999), 1.0, 1e-5) << "forward again as the next cycle starts";
    double back = 0, forward = 0;
    for (double x = 0.0005; x < 1.0; x += 0.001) {
        const double step = ant_leg_wave(x + 0.001) - ant_leg_wave(x);
        EXPECT_LT(std::fabs(step), 0.011) << x;
        (step < 0 ? back : forward) += 0.001;
    }
    EXPECT_NEAR(back, 0.2, 0.002);
    EXPECT_NEAR(forward, 0.8, 0.002);
}

std::map<int, AntPartTurn> by_part(double phase) {
    std::map<int, AntPartTurn> parts;
    for (const AntPartTurn& turn : ant_pose(phase)) parts[turn.part] = turn;
    return parts;
}

TEST(AntPose, DrawsEveryPartOnceLegsFirstThenThoraxHeadAndGaster) {
    const auto pose = ant_pose(0.3);
    EXPECT_EQ(by_part(0.3).size(), 9u);
    EXPECT_EQ(pose[6].part, 1) << "the thorax after the six legs";
    EXPECT_EQ(pose[7].part, 0);
    EXPECT_EQ(pose[8].part, 5);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(pose[i].part >= 2 && pose[i].part != 5) << i;
}

TEST(AntPose, RepeatsEveryLegCycleAndMovesSmoothlyInBetween) {
    // The phase enters the cycle as 4.5·a (b = 2a + 100, c = 2.25·b): a step of 1/4.5 is a cycle
    // of both signals.
    for (double a : {0.0, 0.37, 12.3}) {
        const auto now = ant_pose(a), later = ant_pose(a + 1.0 / 4.5);
        for (int i = 0; i < 9; ++i) {
            EXPECT_NEAR(later[i].angle_x, now[i].angle_x, 2e-3) << a << " part " << now[i].part;
            EXPECT_NEAR(later[i].angle_y, now[i].angle_y, 2e-3) << a << " part " << now[i].part;
        }
    }
    // The quickest turn is 13 degrees over a tenth of a leg cycle.
    for (double a = 0.0; a < 1.0; a += 0.001) {
        const auto now = ant_pose(a), next = ant_pose(a + 0.001);
        for (int i = 0; i < 9; ++i) {
            EXPECT_LT(std::fabs(next[i].angle_x - now[i].angle_x), 0.6f) << a;
            EXPECT_LT(std::fabs(next[i].angle_y - now[i].angle_y), 0.6f) << a;
        }
    }
}

TEST(AntPose, TheThoraxStaysStillHeadAndGasterNodOppositeAndTheSidesRunApart) {
    double same_sign = 0, samples = 0;
    for (double a = 0.0; a < 2.0; a += 0.01) {
        const auto parts = by_part(a);
        EXPECT_EQ(parts.at(1).angle_x, 0.0f);
        EXPECT_EQ(parts.at(1).angle_y, 0.0f);
        EXPECT_FLOAT_EQ(parts.at(0).angle_y, -parts.at(5).angle_y) << a;
        // The front legs of the two sides lift on their own signals.
        const float left = parts.at(2).angle_x, right = parts.at(6).angle_x;
        EXPECT_LE(std::fabs(left), 5.0f);
        EXPECT_LE(std::fabs(right), 5.0f);
        same_sign += (left > 0) == (right > 0);
        ++samples;
    }
    EXPECT_LT(same_sign / samples, 0.9) << "the two sides do not move in step";
}

}  // namespace
