#include "scenes/toys/toys_shots.h"
#include "core/easing.h"

#include <array>
#include <cmath>
#include <span>

#include "scenes/toys/toys_stage.h"
#include "scenes/toys/toys_tank.h"
#include "scenes/toys/toys_timeline.h"

namespace toys {

namespace {

constexpr Vector3 at(double x, double y, double z) {
    return {Vector3::ordinary, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}
constexpr Vector3 upright = at(0, 1, 0);

Vector3 around(double radius, double height, double angle) {
    return at(radius * std::sin(angle), height, radius * std::cos(angle));
}

// ---- the opening seconds ----
Shot glide_from(double t) { return {around(35.0, 7.2, 0.125 * t - 2.2), at(0, 5, 0), at(0, 1, -0.1)}; }
Shot glide_to(double t) {
    const double phi = 0.125 * t - 1.8;
    return {at(55.0 * std::sin(phi), 4.2 * (4.0 + 0.36 * (t + 6.0)), 55.0 * std::cos(phi)),
            at((t + 6.0) * 3.2 - 16.0, 0, 0), at(0, 1, 0.1)};
}
Shot turn(double t) { return {around(45.0, 17.2, 5.6 - 0.135 * t), at(0, 0, 0), upright}; }
Shot widening(double t) {
    return {around(20.0 + 4.0 * (t - 3.0), 10.2, 0.225 * t - 5.2), at(0, 0, 0), upright};
}

// ---- 7: the chess set, circling low while the pieces move and the board mirrors them ----
Shot chess(double t) {
    const double k = t - 7.0;
    return {around(21.0 - 0.45 * k, 6.5 - 0.2 * k, 0.35 + 0.05 * k), at(0, -1.0, 0), upright};
}

// ---- 21: the first cars, tracked along the near road ----
Shot traffic(double t) {
    const double k = t - 21.0;
    return {at(-9.0 + 0.6 * k, 0.9, near_road_z + 7.5), at(-3.0 + 0.5 * k, -0.2, near_road_z - 3.0), upright};
}

// ---- 41: the pavement, the old car and the runners; the tank rises ----
Shot pavement(double t) {
    const double k = t - 41.0;
    return {at(pavement_x + 18.0, 4.0, 20.0 - 0.3 * k), at(pavement_x, -1.0, -2.0 - 0.3 * k), upright};
}
Shot pavement_low(double t) {
    const double k = t - 43.5;
    return {at(pavement_x + 9.0, 1.2, 10.0 - 0.6 * k), at(pavement_x - 1.0, -0.8, -8.0 - 0.6 * k), upright};
}
Shot overview(double t) { return {around(31.0, 14.0, -0.5 + 0.03 * (t - 50.0)), at(0, -2.0, 0), upright}; }
Shot tank_rise(double t) {
    const double z = tank_track_z(t);
    return {at(5.2, 1.1, z + 4.6), at(2.2, -0.5, z), upright};
}
Shot tank_follow(double t) {
    const double z = tank_track_z(t);
    return {at(6.4, 1.8, z + 5.6), at(2.2, -0.6, z), upright};
}
Shot tank_low(double t) {
    const double z = tank_track_z(t);
    return {at(3.4, 0.5, z + 5.5), at(2.2, 0.1, z), upright};
}
constexpr std::array<ShotCue, 5> pavement_cues = {{{43.5, 0.25, 1.0, pavement_low},
                                                   {50.0, 0.2, 1.0, overview},
                                                   {59.3, 0.5, 1.0, tank_rise},
                                                   {65.5, 0.3, 1.0, tank_follow},
                                                   {69.15, 0.35, 1.0, tank_low}}};

// ---- 73: in the maze, ahead of the tank backing down its corridor ----
Shot corridor(double t) {
    const double z = tank_track_z(t);
    return {at(2.7, 1.3, z + 6.0), at(2.3, 0.1, z - 1.0), upright};
}
Shot corridor_close(double t) {
    const double z = tank_track_z(t);
    return {at(4.0, 2.4, z + 3.2), at(2.2, 0.0, z), upright};
}
Shot maze_above(double t) {
    const double z = tank_track_z(t);
    return {at(-1.5, 12.5, z + 4.5), at(2.2, 0.0, z - 0.5), upright};
}
constexpr std::array<ShotCue, 2> maze_cues = {
    {{73.9, 0.3, 1.0, corridor_close}, {79.5, 0.2, 1.0, maze_above}}};

// ---- 89: the sea with the two figures standing in it, the bridge behind them, the tank on
// the bridge, the transforming toys (all seen from -z, towards the bridge) ----
Shot sea(double t) {
    const double k = t - 89.0;
    return {at(-7.0 + 0.25 * k, 2.6, -50.0), at(2.0, 1.2, -30.0), upright};
}
Shot sea_wide(double t) { return {at(-16.0 + 0.3 * (t - 95.0), 6.5, -66.0), at(0.0, 2.5, 0.0), upright}; }
Shot tank_on_bridge(double) { return {at(6.5, 10.5, bridge_z - 6.0), at(2.2, 6.3, bridge_z + 0.5), upright}; }
Shot bridge_front(double t) {
    return {at(-4.0 + 0.3 * (t - 104.0), 8.0, bridge_z - 34.0), at(0.0, 6.5, bridge_z), upright};
}
Shot toys_close(double) { return {at(0.0, 10.5, bridge_z - 25.0), at(0.0, 10.0, bridge_z), upright}; }
Shot toys_circle(double t) {
    const double a = 0.09 * (t - 110.0);
    return {at(24.0 * std::sin(a), 12.0, bridge_z - 24.0 * std::cos(a)), at(0.0, 10.0, bridge_z), upright};
}
Shot toys_away(double) { return {at(6.0, 15.0, bridge_z - 31.0), at(0.0, 12.0, bridge_z), upright}; }
constexpr std::array<ShotCue, 6> sea_cues = {{{95.0, 0.25, 1.0, sea_wide},
                                              {99.0, 0.3, 1.0, tank_on_bridge},
                                              {104.0, 0.3, 1.0, bridge_front},
                                              {107.5, 0.4, 1.0, toys_close},
                                              {110.0, 0.15, 1.0, toys_circle},
                                              {118.0, 0.2, 1.0, toys_away}}};

constexpr std::array<ShotCue, 1> glide = {{{-8.2, 0.12, 1.0, glide_to}}};

// A section holds from `from` on (strictly after it unless inclusive) until `until`; a later
// section that holds replaces the earlier ones.
struct ShotSection {
    double from;
    bool inclusive;
    double until;
    Shot (*base)(double);
    std::span<const ShotCue> cues;
};
constexpr double unbounded = 1e300;
const std::array<ShotSection, 8> sections = {{
    {-unbounded, true, 0.0, glide_from, glide},
    {0.0, false, unbounded, turn, glide},
    {3.0, true, unbounded, widening, {}},
    {7.0, true, unbounded, chess, {}},
    {21.0, true, unbounded, traffic, {}},
    {41.0, true, unbounded, pavement, pavement_cues},
    {73.0, true, unbounded, corridor, maze_cues},
    {89.0, true, unbounded, sea, sea_cues},
}};

constexpr double light_height = 80.0, light_distance = 140.0, light_share = 0.28;
constexpr double light_above_view = 3.6;

}  // namespace

Shot orbit_shot(double a, double h, double w) {
    return {around(10.0 * w + 8.0, 4.2 * h, a), at(0, 0, 0), upright};
}

Shot view_shot(double t, const Shot& orbit) {
    Shot shot = orbit;
    for (const ShotSection& section : sections) {
        const bool after = section.inclusive ? t >= section.from : t > section.from;
        if (after && t < section.until) shot = blend_shots(section.base(t), section.cues, t);
    }
    return shot;
}

Vector3 light_eye(double t, const Vector3& view_eye) {
    if (t > 107.5) return view_eye + at(0, light_above_view, 0);
    if (tank_section(t)) return at(9, 15, 0);
    const double e = t < 21.0 ? 1.0 : 0.4;
    const double l = light_distance * (t >= 89.0 ? 0.4 : e * (1.0 + 0.8 * eased_window(t, 59.0, 0.25)));
    return at(0, light_share * light_height, light_share * l);
}

}  // namespace toys
