#pragma once
// One walking ant from the ant mesh's nine groups: head (0), thorax (1), left legs front to hind
// (2, 3, 4), gaster (5), right legs (6, 7, 8). The mesh faces −z; its hinges lie on the mid line
// at z = −0.18 (neck), −0.09, −0.05 and 0 (legs) and 0.1 (waist).
//
// The legs swing with the ants' leg cycle (kit/ant_gait.h), in the tripod gait: left front,
// left hind and right middle together, the other three half a cycle later.
#include <array>

class Mesh;

namespace finale {

struct LegPose {
    int group;
    float hinge_z;  // the joint the leg turns about
    float x_angle;  // degrees about x: lift
    float y_angle;  // degrees about y: swing
};

// The six legs at phase a. With b = 2·a + 100 and c = 2.25·b, a leg's wave value is
// w = ant_leg_wave(c) (or ant_leg_wave(c + 0.5) for the other tripod); it lifts by 5·w and swings by
// ±(12 + 13·w) (front and hind) or 10·w ∓ 6 (middle), the sign by side.
std::array<LegPose, 6> leg_poses(double phase);

// Head and gaster turns (degrees about y): 5·w(c′) and −5·w(c′), c′ = 2.25·(5003 − b).
double head_turn(double phase);

// Draws the ant at the current modelview, legs, thorax, head, gaster.
void draw_ant(const Mesh& ant, double phase);

}  // namespace finale
