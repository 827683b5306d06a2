#include "scenes/finale/ant_drawing.h"

#include <GL/glew.h>

#include <cmath>

#include "render/mesh.h"
#include "scenes/kit/ant_gait.h"

namespace finale {

namespace {

constexpr int head_group = 0, thorax_group = 1, gaster_group = 5;
constexpr float neck_z = -0.18f, waist_z = 0.1f;

struct Leg {
    int group;
    float hinge_z;
    float side;   // +1 left (+x), −1 right
    bool middle;  // the middle pair swings by 10·w ∓ 6
    double lead;  // 0 or half a cycle: the two tripods
};
constexpr Leg legs[6] = {
    {2, -0.09f, 1.0f, false, 0.0},  {3, -0.05f, 1.0f, true, 0.5},  {4, 0.0f, 1.0f, false, 0.0},
    {6, -0.09f, -1.0f, false, 0.5}, {7, -0.05f, -1.0f, true, 0.0}, {8, 0.0f, -1.0f, false, 0.5},
};

double cycle(double phase) { return 2.25 * (2.0 * phase + 100.0); }

void draw_turned(const Mesh& ant, int group, float hinge_z, float x_angle, float y_angle) {
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, hinge_z);
    glRotatef(y_angle, 0.0f, 1.0f, 0.0f);
    glRotatef(x_angle, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -hinge_z);
    ant.draw(group);
    glPopMatrix();
}

}  // namespace

std::array<LegPose, 6> leg_poses(double phase) {
    const double c = cycle(phase);
    std::array<LegPose, 6> poses{};
    for (int i = 0; i < 6; ++i) {
        const Leg& leg = legs[i];
        const double w = ant_leg_wave(c + leg.lead);
        const double swing = leg.middle ? 10.0 * w - leg.side * 6.0 : leg.side * (12.0 + 13.0 * w);
        poses[i] = {leg.group, leg.hinge_z, static_cast<float>(5.0 * w), static_cast<float>(swing)};
    }
    return poses;
}

double head_turn(double phase) {
    const double b = 2.0 * phase + 100.0;
    return 5.0 * ant_leg_wave(2.25 * (5003.0 - b));
}

void draw_ant(const Mesh& ant, double phase) {
    for (const LegPose& leg : leg_poses(phase))
        draw_turned(ant, leg.group, leg.hinge_z, leg.x_angle, leg.y_angle);
    ant.draw(thorax_group);
    const float turn = static_cast<float>(head_turn(phase));
    draw_turned(ant, head_group, neck_z, 0.0f, turn);
    draw_turned(ant, gaster_group, waist_z, 0.0f, -turn);
}

}  // namespace finale
