#include "scenes/finale/finale_shots.h"
#include "core/easing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "scenes/finale/finale_stage.h"
#include "scenes/finale/finale_timeline.h"

namespace finale {

namespace {

Vector3 v(double x, double y, double z) {
    return {Vector3::ordinary, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}
const Vector3 up{Vector3::ordinary, 0.0f, 1.0f, 0.0f};

// Circling the ants at ground level.
struct Orbit {
    double radius, height, turn;  // turn: angle offset, radians
    double look_height;
};
Shot orbit(const Orbit& o, double s) {
    const double a = 0.6 + 0.045 * s + o.turn;
    return {v(o.radius * std::sin(a), o.height, o.radius * std::cos(a)), v(0.0, o.look_height, 0.0), up};
}

// A camera drifting at a steady velocity from where it stands at `from`, looking at a point.
struct Dolly {
    double from;
    double eye[3], centre[3], drift[3];
};
Shot dolly(const Dolly& d, double s) {
    const double k = s - d.from;
    return {v(d.eye[0] + d.drift[0] * k, d.eye[1] + d.drift[1] * k, d.eye[2] + d.drift[2] * k),
            v(d.centre[0], d.centre[1], d.centre[2]), up};
}

constexpr Orbit base_orbit{1.1, 0.22, 0.0, 0.05};
constexpr std::array<Orbit, 5> ant_orbits = {{
    {0.9, 0.17, 0.2, 0.04},  // 5: down to the colony
    {1.0, 0.2, 0.7, 0.04},   // 11: round to the single ants
    {0.8, 0.15, 0.9, 0.03},  // 15
    {1.2, 0.26, 1.1, 0.05},  // 16
    {2.6, 0.85, 1.3, 0.25},  // 23: up, to see the tubes growing
}};
// The wall stands from 44 to the end with its pieces strewn in front of it (towards +z), so
// from the house on every shot stays behind it (z < -7), and the way there passes its right end.
constexpr std::array<Dolly, 10> dollies = {{
    {48.0, {3.0, 1.6, 9.0}, {0.0, 2.2, -7.0}, {-0.05, 0.0, -0.1}},       // the wall
    {53.0, {1.2, 1.4, 5.5}, {0.0, 2.3, -7.0}, {0.0, 0.02, 0.06}},        // before it, as it bursts
    {58.0, {7.0, 2.2, 3.0}, {-6.0, 2.5, -20.0}, {-0.15, 0.02, -0.1}},    // runners and the house
    {64.0, {5.0, 2.5, -12.0}, {-13.0, 5.0, -28.0}, {-0.1, 0.02, -0.1}},  // the house under the moon
    {68.5, {2.0, 2.0, -9.0}, {11.0, 6.0, -24.0}, {0.1, 0.0, -0.05}},     // the big tree
    {70.3, {3.0, 4.0, -9.5}, {9.0, 7.0, -24.0}, {0.12, 0.05, -0.35}},    // on, into its crown
    {82.5, {0.5, 1.8, -8.1}, {0.0, 1.6, -14.0}, {0.0, 0.0, 0.0}},        // the diver
    {83.5, {-1.0, 2.2, -8.1}, {0.0, 1.8, -14.0}, {0.02, 0.0, 0.0}},
    {84.0, {0.0, 2.6, -8.1}, {0.0, 2.6, -15.0}, {0.0, 0.0, -0.04}},   // the faces round him
    {106.0, {0.0, 5.0, -8.0}, {0.0, 7.6, -28.0}, {0.0, 0.0, -0.05}},  // on to the credits
}};

template <size_t i>
Shot orbit_cue(double s) {
    return orbit(ant_orbits[i], s);
}

// From 23 the camera rises to see the tubes, dips down among the ants from 33 and rises again
// from 41 as the wall comes.
Shot among_the_ants(double s) {
    Orbit o = ant_orbits[4];
    const double dip = eased_window(s, 33.0, 0.2) - eased_window(s, 41.0, 0.25);
    o.radius -= 1.5 * dip;
    o.height -= 0.6 * dip;
    o.look_height -= 0.18 * dip;
    o.turn += 0.6 * eased_window(s, 30.0, 0.06);
    return orbit(o, s);
}
template <size_t i>
Shot dolly_cue(double s) {
    return dolly(dollies[i], s);
}

constexpr std::array<ShotCue, 15> cues = {{
    {5.0, 0.25, 1.0, orbit_cue<0>},
    {11.0, 0.2, 1.0, orbit_cue<1>},
    {15.0, 0.5, 1.0, orbit_cue<2>},
    {16.0, 0.3, 1.0, orbit_cue<3>},
    {23.0, 0.15, 1.0, among_the_ants},
    {48.0, 0.2, 1.0, dolly_cue<0>},
    {53.0, 0.35, 1.0, dolly_cue<1>},
    {58.0, 0.2, 1.0, dolly_cue<2>},
    {64.0, 0.2, 1.0, dolly_cue<3>},
    {68.5, 0.3, 1.0, dolly_cue<4>},
    {70.3, 0.15, 1.0, dolly_cue<5>},
    {82.5, 0.3, 1.0, dolly_cue<6>},
    {83.5, 0.3, 1.0, dolly_cue<7>},
    {84.0, 0.2, 1.0, dolly_cue<8>},
    {106.0, 0.12, 1.0, dolly_cue<9>},
}};

// The last push: the view's centre creeps 0.2 further back while the credits stand.
constexpr double final_push_from = 140.0, final_push_rate = 0.05;

}  // namespace

Shot view_shot(double t) {
    Shot shot = blend_shots(orbit(base_orbit, t), cues, t);
    shot.centre.z -= static_cast<float>(0.2 * eased_window(t, final_push_from, final_push_rate));
    return shot;
}

Shot light_shot(const Shot& view, double t) {
    Vector3 offset;
    if (t > 80.0) {
        offset = v(0.0, 24.0, -8.0 - 27.4 * eased_window(t, 106.0, 0.25));
    } else {
        const double m = 1.0 - 0.6 * std::clamp((t - 23.0) * 0.3, 0.0, 1.0);
        offset = v(0.0, -0.5 * m, 0.5 * m);
    }
    return {view.eye + offset, view.centre, view.up};
}

}  // namespace finale
