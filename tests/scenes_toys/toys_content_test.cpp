// The toys scene's content rules: which chess pieces each pass draws, the crowd drawn from the
// generator, the two particle fields, the tank's wheels, turret and path, and the shots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/easing.h"
#include "core/random.h"
#include "scenes/toys/toys_blocks.h"
#include "scenes/toys/toys_chess.h"
#include "scenes/toys/toys_crowd.h"
#include "scenes/toys/toys_particles.h"
#include "scenes/toys/toys_shots.h"
#include "scenes/toys/toys_stage.h"
#include "scenes/toys/toys_tank.h"
#include "scenes/toys/toys_traffic.h"

namespace {

std::vector<int> drawn(double t, LitPass pass) {
    std::vector<int> groups;
    for (int g = 0; g < toys::chess_groups; ++g)
        if (toys::piece_drawn(g, t, pass)) groups.push_back(g);
    return groups;
}
bool has(const std::vector<int>& groups, int g) {
    for (int x : groups)
        if (x == g) return true;
    return false;
}

TEST(ToysChess, LightPassLeavesOutTheRimAndFewPiecesThenEverythingAfter21) {
    const auto light = drawn(5.0, LitPass::light);
    for (int g : {1, 25, 31, 32, 33, 34, 38}) EXPECT_FALSE(has(light, g)) << g;
    for (int g : {0, 2, 30, 35, 40}) EXPECT_TRUE(has(light, g)) << g;
    EXPECT_TRUE(drawn(21.0, LitPass::light).size() > 30u);
    EXPECT_TRUE(drawn(21.01, LitPass::light).empty());
}

TEST(ToysChess, TimedHidingPerPass) {
    for (LitPass pass : {LitPass::mirrored, LitPass::main}) {
        EXPECT_TRUE(toys::piece_drawn(25, 10.0, pass));
        EXPECT_FALSE(toys::piece_drawn(25, 10.01, pass));
        EXPECT_FALSE(toys::piece_drawn(25, 94.9, pass));
        EXPECT_TRUE(toys::piece_drawn(25, 96.0, pass));
        EXPECT_TRUE(toys::piece_drawn(25, 103.0, pass));
        EXPECT_FALSE(toys::piece_drawn(25, 103.1, pass));
        EXPECT_TRUE(toys::piece_drawn(34, 103.0, pass));
        EXPECT_FALSE(toys::piece_drawn(34, 103.1, pass));
        EXPECT_TRUE(toys::piece_drawn(31, 100.0, pass));
        EXPECT_FALSE(toys::piece_drawn(32, 100.1, pass));
        EXPECT_TRUE(toys::piece_drawn(33, 50.0, pass));
        EXPECT_FALSE(toys::piece_drawn(38, -5.0, pass));
        EXPECT_TRUE(toys::piece_drawn(1, 50.0, pass));
    }
}

TEST(ToysChess, PiecesStandStillUntilZeroThenSlideTheirOwnShareOfOneRamp) {
    EXPECT_EQ(toys::move_ramp(0.0), 0.0);
    EXPECT_EQ(toys::piece_slide(6, -3.0).z, 0.0f);
    const double r = toys::move_ramp(5.0);
    EXPECT_GT(r, 0.0);
    EXPECT_LT(r, 1.0);
    EXPECT_NEAR(toys::move_ramp(40.0), 1.0, 1e-12);
    // The king's pawn and the king's knight move in proportion through the whole ramp.
    const toys::Slide pawn = toys::piece_slide(6, 5.0), knight = toys::piece_slide(16, 5.0);
    EXPECT_NEAR(pawn.z, -2 * toys::square * r, 1e-5);
    EXPECT_NEAR(knight.x / knight.z, 0.5, 1e-6);
    EXPECT_EQ(toys::piece_slide(0, 40.0).x, 0.0f) << "the board stays put";
}

TEST(ToysCrowd, NineFiguresFromThreeDrawsEachTheSameEveryFrame) {
    seed_random(toys::crowd_seed);
    const auto crowd = toys::place_crowd(3.0);
    RandomGenerator g(toys::crowd_seed);
    for (int i = 0; i < 3 * toys::crowd_size; ++i) g.draw();
    EXPECT_EQ(random_unit(), g.draw_unit()) << "x, z and pace for each of the nine";
    seed_random(toys::crowd_seed);
    const auto again = toys::place_crowd(3.0);
    for (int i = 0; i < toys::crowd_size; ++i) {
        EXPECT_EQ(crowd[i].x, again[i].x) << i;
        EXPECT_EQ(crowd[i].z, again[i].z) << i;
        EXPECT_EQ(crowd[i].motion_time, again[i].motion_time) << i;
    }
}

TEST(ToysCrowd, TheTwoInFrontWalkAboveTheOthersWithinTheirBand) {
    seed_random(toys::crowd_seed);
    const auto crowd = toys::place_crowd(3.0);
    EXPECT_EQ(crowd[5].y, crowd[8].y);
    float min_x = 1e9f, max_x = -1e9f, min_z = 1e9f, max_z = -1e9f;
    for (int i = 0; i < toys::crowd_size; ++i) {
        if (i != 5 && i != 8) {
            EXPECT_NEAR(crowd[i].y, crowd[5].y - 3.2f, 1e-5) << i;
        }
        min_x = std::min(min_x, crowd[i].x);
        max_x = std::max(max_x, crowd[i].x);
        min_z = std::min(min_z, crowd[i].z);
        max_z = std::max(max_z, crowd[i].z);
    }
    EXPECT_LE(max_x - min_x, 26.0f);
    EXPECT_GT(max_x - min_x, 5.0f) << "spread out, not in one file";
    EXPECT_LE(max_z - min_z, 37.0f + 2.4f);
}

TEST(ToysCrowd, EachFiguresClipRunsAtItsOwnPace) {
    seed_random(toys::crowd_seed);
    const auto early = toys::place_crowd(2.0);
    seed_random(toys::crowd_seed);
    const auto later = toys::place_crowd(4.0);
    for (int i = 0; i < toys::crowd_size; ++i) {
        // The walk's 10.5 frames a clock second, up to a tenth faster.
        const double rate = (later[i].motion_time - early[i].motion_time) / 2.0;
        EXPECT_GE(rate, 10.5 - 1e-3) << i;
        EXPECT_LE(rate, 10.5 * 1.1 + 1e-3) << i;
    }
}

TEST(ToysCrowd, WalkStopsAt8Point4) {
    seed_random(toys::crowd_seed);
    const auto at_stop = toys::place_crowd(8.4);
    seed_random(toys::crowd_seed);
    const auto later = toys::place_crowd(60.0);
    for (int i = 0; i < toys::crowd_size; ++i) {
        EXPECT_EQ(at_stop[i].motion_time, later[i].motion_time);
        EXPECT_EQ(at_stop[i].z, later[i].z);
    }
    EXPECT_GT(toys::crowd_walk(-7.1), toys::crowd_walk(0.0));
    EXPECT_EQ(toys::crowd_walk(8.4), 0.0f) << "where the generator put them";
}

TEST(ToysCrowd, WhichFiguresEachPassDraws) {
    EXPECT_TRUE(toys::figure_drawn(5, 50.0, LitPass::mirrored));
    EXPECT_TRUE(toys::figure_drawn(8, 50.0, LitPass::light));
    EXPECT_TRUE(toys::figure_drawn(0, -1.0, LitPass::main));
    EXPECT_TRUE(toys::figure_drawn(0, -1.0, LitPass::light));
    EXPECT_FALSE(toys::figure_drawn(0, -1.0, LitPass::mirrored));
    EXPECT_FALSE(toys::figure_drawn(3, 0.0, LitPass::main));
    EXPECT_TRUE(toys::crowd_in_pass(14.0, LitPass::light));
    EXPECT_FALSE(toys::crowd_in_pass(14.01, LitPass::light));
    EXPECT_TRUE(toys::crowd_in_pass(90.0, LitPass::main));
}

TEST(ToysParticles, RainFallsThenSettlesIntoStars) {
    const double r[6] = {0.5, 0.25, 0.75, 0.1, 0.3, 0.9};
    const toys::Speck a = toys::rain_speck(r, 2.0);
    EXPECT_NEAR(a.z, 90 * 0.5 + 183, 1e-4);
    EXPECT_NEAR(a.x, (12 * 0.75 - 6) * 55 + 5 * std::sin(2 * 0.3 * 2.0), 1e-3);
    EXPECT_NEAR(a.y, ((64 * 0.25 - 16) * 1.5 - 20) - (0.1 + 0.3) * 2.0 * 7.0, 1e-4);
    const toys::Speck b = toys::rain_speck(r, 5.0);
    EXPECT_NEAR(b.y, -20 - 0.4 * 5.0 * 7.0 + 56.0, 1e-4) << "lifted by 56 after 3";
    const toys::Speck c = toys::rain_speck(r, 50.0);
    EXPECT_NEAR(c.y, (64 * 0.9 - 16) * 2.5 + 36, 1e-4) << "still from 7 on";
    EXPECT_NEAR(c.x, 165 + 5 * std::sin(2 * 0.3 * 50.0), 1e-3);
}

TEST(ToysParticles, FieldsDrawTheirValuesInOrder) {
    std::vector<toys::Speck> field;
    seed_random(toys::particle_seed);
    toys::rain_field(1.0, field);
    ASSERT_EQ(field.size(), 700u);
    RandomGenerator g(toys::particle_seed);
    for (int i = 0; i < 699; ++i)
        for (int k = 0; k < 6; ++k) g.draw();
    double r[6];
    for (double& v : r) v = g.draw_unit();
    const toys::Speck last = toys::rain_speck(r, 1.0);
    EXPECT_EQ(field.back().x, last.x);
    EXPECT_EQ(field.back().y, last.y);

    seed_random(toys::particle_seed);
    toys::swarm_field(field);
    ASSERT_EQ(field.size(), 4500u);
    for (const toys::Speck& s : field) {
        ASSERT_LE(std::fabs(s.x), 15.0f);
        ASSERT_GE(s.y, 12.0f);
        ASSERT_LE(s.y, 42.0f);
    }
}

TEST(ToysTraffic, NoTwoCarsOfAWaveEverStandOnOneSpot) {
    // The longest car is 9.6 long and 3.8 wide before its scale of 0.55.
    const float length = 9.6f * 0.55f, width = 3.8f * 0.55f;
    for (const toys::Wave* wave : {&toys::first_wave, &toys::second_wave})
        for (double t = -7.1; t < 67.0; t += 0.02)
            for (std::size_t i = 0; i < wave->cars.size(); ++i)
                for (std::size_t j = i + 1; j < wave->cars.size(); ++j) {
                    const toys::CarPlace a = toys::place_car(*wave, wave->cars[i], t);
                    const toys::CarPlace b = toys::place_car(*wave, wave->cars[j], t);
                    if (std::fabs(a.z - b.z) >= width) continue;
                    ASSERT_GE(std::fabs(a.x - b.x), length) << "cars " << i << " and " << j << " at " << t;
                }
}

TEST(ToysTraffic, EachCarWaitsUntilItsRampThenDrivesTheWholeRoadOneWay) {
    for (const toys::Wave* wave : {&toys::first_wave, &toys::second_wave})
        for (const toys::CarRun& car : wave->cars) {
            SCOPED_TRACE(car.start);
            const toys::CarPlace waiting = toys::place_car(*wave, car, car.start - 5.0);
            const toys::CarPlace starting = toys::place_car(*wave, car, car.start);
            const toys::CarPlace parked = toys::place_car(*wave, car, car.start + 1.0 / car.rate);
            EXPECT_EQ(waiting.x, starting.x) << "still until its ramp starts";
            EXPECT_EQ(waiting.driven, 0.0f);
            EXPECT_LE(wave->direction * starting.x, -toys::road_span) << "it starts at the road's start";
            EXPECT_GE(wave->direction * parked.x, toys::road_span) << "and ends beyond its end";
            EXPECT_NEAR(parked.driven, std::fabs(parked.x - starting.x), 1e-3) << "its wheels roll the way";
            float previous = wave->direction * starting.x;
            for (double t = car.start; t <= car.start + 1.0 / car.rate; t += 0.05) {
                const float along = wave->direction * toys::place_car(*wave, car, t).x;
                ASSERT_GE(along, previous - 1e-4f) << t;
                previous = along;
            }
        }
}

TEST(ToysTank, WheelsTurnBySoftRampDegreesWithTheirOffsets) {
    for (const toys::Axle& axle : toys::tank_axles)
        EXPECT_NEAR(toys::wheel_angle(axle, 70.0), soft_ramp(10.0 + axle.offset), 1e-9) << axle.group;
    EXPECT_EQ(toys::wheel_angle(toys::tank_axles[5], 60.0), 0.0) << "offset -0.9 starts after 60";
    EXPECT_GT(toys::wheel_angle(toys::tank_axles[0], 60.0), 0.0) << "offset 0.3 has already turned";
}

TEST(ToysTank, HiddenUntilSixtyThenRisesAndBacksAlong) {
    EXPECT_EQ(toys::tank_placement(59.9).y, -80.0f);
    const toys::TankPlacement rising = toys::tank_placement(60.0);
    EXPECT_NEAR(rising.y, 0.56 - 4.6, 1e-5);
    EXPECT_NEAR(rising.z, (60.0 - 75.0) * 1.5 - 14.0, 1e-4);
    const toys::TankPlacement risen = toys::tank_placement(80.0);
    EXPECT_NEAR(risen.y, 0.56 - 1.4, 1e-5);
    EXPECT_NEAR(risen.z, 7.5 - 14.0, 1e-4);
    EXPECT_EQ(risen.x, 2.2f);
    EXPECT_GT(toys::tank_placement(100.5).y, 5.0f) << "up on the bridge";
    EXPECT_EQ(toys::tank_placement(100.5).z, toys::tank_placement(110.0).z) << "halted";
}

TEST(ToysTank, TurretLooksAtSixtySevenSeventyOneAndSeventyThree) {
    EXPECT_EQ(toys::turret_angle(66.9), 0.0);
    EXPECT_NEAR(toys::turret_angle(68.0), 60.0, 1e-9);
    EXPECT_NEAR(toys::turret_angle(69.5), 0.0, 1e-9);
    EXPECT_NEAR(toys::turret_angle(72.0), -60.0, 1e-9);
    EXPECT_NEAR(toys::turret_angle(74.0), 60.0, 1e-9);
}

TEST(ToysGround, UnderTheRoadsAndTheTankButNeitherOverTheBoardNorTheLane) {
    for (float x = -toys::road_span; x <= toys::road_span; x += 0.5f) {
        if (x < toys::lane_x0 || x > toys::lane_x1) {
            EXPECT_TRUE(toys::on_ground(x, toys::far_road_z)) << x;
        }
        EXPECT_TRUE(toys::on_ground(x, toys::near_road_z)) << x;
    }
    for (double t = 60.0; t < 73.0; t += 0.25) {  // after 73 it drives in the maze
        const toys::TankPlacement p = toys::tank_placement(t);
        EXPECT_TRUE(toys::on_ground(p.x, p.z)) << t;
    }
    for (float x : {-12.4f, 12.2f}) EXPECT_TRUE(toys::on_ground(x, 2.0f)) << "pieces beside the board";
    for (float x : {-10.3f, 0.0f, 10.3f}) EXPECT_FALSE(toys::on_ground(x, 10.3f)) << "the board's opening";
    for (float z : {-46.0f, -20.0f, -2.8f, 8.0f})
        EXPECT_FALSE(toys::on_ground(16.0f, z)) << "the runners' lane";
}

TEST(ToysShots, OpeningGlideTurnAndSpiral) {
    const Shot orbit = toys::orbit_shot(0.0, 0.0, 0.0);
    EXPECT_FLOAT_EQ(orbit.eye.z, 8.0f);
    const Shot at_zero = toys::view_shot(0.0, orbit);
    EXPECT_FLOAT_EQ(at_zero.eye.z, 8.0f) << "at exactly 0 no shot holds";
    // Well before -8.2 + 1/0.12 the glide is still mostly its start.
    const double t = -7.0;
    const Shot early = toys::view_shot(t, orbit);
    const double w = ease_cos((t + 8.2) * 0.12, 1.0);
    const double theta = 0.125 * t - 2.2, phi = 0.125 * t - 1.8;
    EXPECT_NEAR(early.eye.x, 35 * std::sin(theta) + (55 * std::sin(phi) - 35 * std::sin(theta)) * w, 1e-4);
    EXPECT_NEAR(early.centre.x, ((t + 6) * 3.2 - 16) * w, 1e-4);
    const Shot spiral = toys::view_shot(5.0, orbit);
    EXPECT_NEAR(spiral.eye.y, 10.2, 1e-5);
    EXPECT_NEAR(std::hypot(spiral.eye.x, spiral.eye.z), 28.0, 1e-4);
}

// Within a section the shots only blend, however fast: over a thousandth of a clock second the
// camera moves a fraction of a unit, where a cut would jump it across the scene. The sections
// themselves start on a cut to black or white.
TEST(ToysShots, WithinEachSectionTheCameraNeverJumps) {
    const Shot orbit = toys::orbit_shot(0.0, 0.0, 0.0);
    const double step = 0.001;
    for (const auto& [from, to] :
         {std::pair{7.0, 21.0}, {21.0, 39.9}, {41.0, 73.0}, {73.0, 89.0}, {89.0, 131.5}}) {
        double largest = 0.0, at = from;
        Shot previous = toys::view_shot(from + 1e-6, orbit);
        for (double t = from + 1e-6 + step; t < to; t += step) {
            const Shot now = toys::view_shot(t, orbit);
            const double moved = length(now.eye - previous.eye) + length(now.centre - previous.centre);
            if (moved > largest) largest = moved, at = t;
            previous = now;
        }
        EXPECT_LT(largest, 0.2) << "the camera jumps at clock " << at << " in the section from " << from;
    }
}

TEST(ToysShots, LightCameraFollowsTheSections) {
    const Vector3 eye{Vector3::ordinary, 1.0f, 2.0f, 3.0f};
    EXPECT_NEAR(toys::light_eye(10.0, eye).z, 0.28 * 140.0, 1e-4);
    EXPECT_NEAR(toys::light_eye(30.0, eye).z, 0.28 * 140.0 * 0.4, 1e-4);
    EXPECT_NEAR(toys::light_eye(70.0, eye).z, 0.28 * 140.0 * 0.4 * 1.8, 1e-4);
    EXPECT_NEAR(toys::light_eye(70.0, eye).y, 0.28 * 80.0, 1e-4);
    EXPECT_EQ(toys::light_eye(80.0, eye).x, 9.0f);
    EXPECT_NEAR(toys::light_eye(95.0, eye).z, 0.28 * 56.0, 1e-4);
    EXPECT_NEAR(toys::light_eye(110.0, eye).y, 5.6, 1e-5);
}

TEST(ToysBlocks, AssembledTakenApartAndRebuilt) {
    EXPECT_EQ(toys::robot_assembly(106.0), 0.0);
    EXPECT_NEAR(toys::robot_assembly(112.0), 1.0, 1e-12);
    EXPECT_NEAR(toys::robot_assembly(114.5), 0.0, 1e-12);
    EXPECT_NEAR(toys::robot_assembly(120.0), 1.0, 1e-12);
    EXPECT_NEAR(toys::crane_assembly(118.7), 0.0, 1e-12);
    EXPECT_NEAR(toys::crane_assembly(123.0), 1.0, 1e-12);
    EXPECT_NEAR(toys::crane_assembly(130.0), 0.0, 1e-12);
    EXPECT_FALSE(toys::burst_block(0, 3, 111.9).shown);
    EXPECT_FALSE(toys::burst_block(1, 3, 127.6).shown);
    const toys::BlockPlace b = toys::burst_block(0, 3, 115.0);
    EXPECT_TRUE(b.shown);
    EXPECT_EQ(b.x, toys::burst_block(0, 3, 115.0).x) << "a block keeps its path";
}

}  // namespace
