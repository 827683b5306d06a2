#include "scenes/opening/opening_shots.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/easing.h"
#include "scenes/opening/opening_stage.h"

namespace opening {
namespace {

Vector3 at_stage(float dx, float dy, float dz) {
    return {stage_centre.x + dx, stage_centre.y + dy, stage_centre.z + dz};
}

float f(double v) { return static_cast<float>(v); }

// 1: slides aside and tilts from the surface toward the open water ahead.
Shot shot1(double s) { return {{2.0f, f(1.2 * s), 0.0f}, {2.0f, 11.6f, f(2.4 * s - 36.0)}, world_up}; }

// 2: an orbit of radius 4 about a centre that travels along z.
Shot shot2(double s) {
    const double a = 0.1 * s;
    return {{f(4.0 * std::sin(a)), 18.5f, f(4.0 * std::cos(a) + 54.0 - 3.0 * s)},
            {0.0f, 16.5f, f(54.0 - 3.0 * s)},
            world_up};
}

// 3: leaves the orbit and tips down, sinking along the slope of the bed.
Shot shot3(double s) {
    const double d = s - 23.0;
    return {{6.0f, f(20.0 + 6.0 * d), f(-15.0 - 4.0 * d)},
            {0.0f, f(40.0 + 7.0 * d), f(-60.0 - 4.0 * d)},
            world_up};
}

// 4: the sea floor copies drift by underneath; looking along their lane.
Shot shot4(double s) {
    const double d = s - 30.4;
    return {{f(seafloor_x - 60.0), 70.0f, f(-120.0 - 2.0 * d)},
            {seafloor_x, seafloor_y, f(-260.0 + 10.0 * d)},
            world_up};
}

// 5: a slow arc over the floor.
Shot shot5(double s) {
    const double a = 0.12 * (s - 30.8);
    return {{f(seafloor_x - 60.0 * std::cos(a)), 80.0f, f(-160.0 - 60.0 * std::sin(a))},
            {seafloor_x, seafloor_y, -230.0f},
            world_up};
}

// 6: low over the floor, the copies sliding toward the lens.
Shot shot6(double s) {
    const double d = s - 34.0;
    return {{f(seafloor_x + 20.0), 100.0f, f(-100.0 + 1.5 * d)},
            {f(seafloor_x - 10.0), seafloor_y, -230.0f},
            world_up};
}

// 7: the long dive to the deep floor, turning toward the stage.
Shot shot7(double s) {
    const double d = std::clamp(s - 45.5, 0.0, 8.0);
    return {at_stage(f(-70.0 + 4.0 * d), f(-220.0 + 22.0 * d), 90.0f), at_stage(0.0f, -30.0f, 0.0f),
            world_up};
}

// 8: the establishing view of the stage: the stair tower, the crowd on it, the walkers below.
Shot shot8(double s) {
    const double d = s - 51.1;
    return {at_stage(f(-16.0 + 0.4 * d), f(-7.0 + 0.15 * d), f(22.0 - 0.6 * d)),
            at_stage(-1.0f, -3.0f, -6.0f), world_up};
}

// 9: down on the stage, a run of moves, each blending into the next from a half-bar of the music
// (see stage_moves below). Each move is a function of the clock like the shots themselves.

// Among the walkers at head height, overtaking their procession toward the tower.
Shot among_walkers(double s) {
    const double d = s - 53.5;
    return {at_stage(f(-9.0 + 2.2 * d), -1.6f, 4.5f), at_stage(f(-5.0 + 2.2 * d), -1.3f, -4.0f), world_up};
}

// Up the stair tower from above the plinth's edge, past the sitters as they rise out of the
// sand, to the crowd on the stairs; slow at the bottom so the sitters are seen settling, and
// slowing to a stop at the top, where the next move takes over.
Shot up_the_tower(double s) {
    const double x = ease_cos((s - 59.7) / 3.8, 1.0);
    const double lift = -2.8 - 12.0 * x;
    return {at_stage(f(-4.0 + 3.0 * x), f(lift), f(-0.5 - 3.0 * x)),
            at_stage(-2.0f, f(lift + 1.5 - 3.5 * x), -15.0f), world_up};
}

// Through the bait fish: on the school's circle at its height, gliding forward through it a
// little faster than it swims, looking along its way.
Shot through_the_school(double s) {
    const double a = school_turn * s + 0.2 + 0.15 * (s - 63.5);
    const double ahead = a + 0.6;
    return {at_stage(f(school_x + 5.3 * std::cos(a)), -2.0f, f(school_z + 5.3 * std::sin(a))),
            at_stage(f(school_x + 4.6 * std::cos(ahead)), -2.2f, f(school_z + 4.6 * std::sin(ahead))),
            world_up};
}

// High over the front of the stage: the walkers, the plinth and its sitters, the tower and the
// school at once, drifting sideways.
Shot over_the_stage(double s) {
    const double d = s - 67.3;
    return {at_stage(f(5.5 - 1.3 * d), -6.5f, f(8.0 + 0.3 * d)), at_stage(-1.5f, -1.0f, -6.0f), world_up};
}

// The moves of shot 9 after the first, among the walkers. Each takes over on a half-bar of the
// music (140 beats a minute) in both passes the viewer sees (the clock reaches 56 near show time
// 38 s and again 19 s later: each start lies 0.07 s before a half-bar in the first pass and 0.07 s
// after one in the second), pulling the camera over from the move before in about two and a half
// seconds, as the shots blend into one another.
constexpr double move_rate = 0.7;
constexpr std::array<ShotCue, 3> stage_moves = {{
    {59.7, move_rate, 1.0, up_the_tower},
    {63.5, move_rate, 1.0, through_the_school},
    {67.3, move_rate, 1.0, over_the_stage},
}};

Shot shot9(double s) { return blend_shots(among_walkers(s), stage_moves, s); }

// 10: from the high view, drifts on across the stage and cranes up and back until it lies below
// like a map.
Shot shot10(double s) {
    const double d = s - 68.0;
    return {at_stage(f(4.6 - 1.0 * d), f(-6.5 - 1.2 * d), f(8.2 + 1.0 * d)), at_stage(-1.5f, -1.0f, -6.0f),
            world_up};
}

// 11: rising out of the deep toward the far sea.
Shot shot11(double s) {
    const double d = s - 90.0;
    return {at_stage(0.0f, f(-80.0 - 12.0 * d), 60.0f), at_stage(0.0f, f(-200.0 - 12.0 * d), -60.0f),
            world_up};
}

// 12: under the surface again, looking up into it.
Shot shot12(double s) {
    const double d = s - 99.0;
    return {{20.0f, f(30.0 - 1.5 * d), f(-20.0 - 2.0 * d)}, {0.0f, -20.0f, f(-60.0 - 2.0 * d)}, world_up};
}

// 13: breaking through into the day.
Shot shot13(double s) {
    const double d = s - 104.5;
    return {{10.0f, f(5.0 - 2.5 * d), f(-40.0 - 3.0 * d)},
            {0.0f, f(-10.0 - 1.0 * d), f(-120.0 - 3.0 * d)},
            world_up};
}

// 14: a slow pull away over the water while the picture fades.
Shot shot14(double s) {
    const double d = s - 111.5;
    return {{0.0f, f(-12.0 - 1.5 * d), f(-70.0 - 5.0 * d)},
            {0.0f, f(-18.0 - 1.0 * d), f(-200.0 - 5.0 * d)},
            world_up};
}

}  // namespace

Shot base_shot(double s) {
    const float y = f(1.2 * s);
    return {{0.0f, y, 0.0f},
            {0.0f, y - 10.0f, f(-14.0 * soft_ramp(std::max(0.3 * (s - 9.0), 0.0)) - 6.0)},
            world_up};
}

const std::array<ShotCue, 14> shot_cues = {{
    {8.4, 0.15, 2.0, shot1},
    {16.4, 0.19, 2.0, shot2},
    {23.0, 0.16, 2.0, shot3},
    {30.4, 0.16, 2.0, shot4},
    {30.8, 0.19 * 0.9, 2.0, shot5},
    {34.0, 0.19 * 0.9, 2.0, shot6},
    {45.5, 0.17, 2.0, shot7},
    {51.1, 0.27, 2.0, shot8},
    {53.5, 0.27, 2.0, shot9},
    {68.0, 0.12, 1.0, shot10},
    {90.0, 0.22, 2.0, shot11},
    {99.0, 0.22, 2.0, shot12},
    {104.5, 0.17, 1.0, shot13},
    {111.5, 0.14 * 0.8, 1.0, shot14},
}};

Shot view_shot(double s) { return blend_shots(base_shot(s), shot_cues, s); }

}  // namespace opening
