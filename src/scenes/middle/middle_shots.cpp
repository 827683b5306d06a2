#include "scenes/middle/middle_shots.h"

#include <array>
#include <cmath>

namespace middle {

namespace {

constexpr Vector3 up{0.0f, 1.0f, 0.0f};

float f(double v) { return static_cast<float>(v); }

// 0 .. 50.95: the paper city, the sea and the ropes, seen from the stalls.
Shot stalls(double t) {
    return {{f(1.5 * std::sin(0.05 * t)), 4.0f, f(23.0 - 0.05 * t)}, {0.0f, 6.0f, 0.0f}, up};
}
// Down to the waves when the fish come.
Shot by_the_sea(double t) {
    return {{f(-5.0 + 0.15 * (t - 17.0)), 3.2f, 17.0f}, {f(0.5 + 0.05 * (t - 17.0)), 4.2f, -4.0f}, up};
}
// Back and up for the moon on its string.
Shot under_the_moon(double t) { return {{f(4.0 - 0.1 * (t - 26.0)), 6.0f, 25.0f}, {2.0f, 8.5f, -4.0f}, up}; }
// Along the folded strip and the growing strands.
Shot along_the_strip(double t) {
    return {{f(-11.0 + 0.12 * (t - 40.0)), 3.5f, 19.0f}, {2.0f, 3.5f, -5.0f}, up};
}
constexpr std::array<ShotCue, 3> stalls_cues = {{
    {16.5, 0.25, 1.0, by_the_sea},
    {27.0, 0.2, 1.0, under_the_moon},
    {40.0, 0.2, 1.0, along_the_strip},
}};

// 50.95 .. 63: the temple rises; the lens narrows between 57 and 61.
Shot temple(double t) { return {{0.0f, 5.0f, f(22.0 - 0.3 * (t - 50.95))}, {0.0f, 6.5f, -10.0f}, up}; }
Shot among_the_columns(double t) {
    return {{f(-6.0 + 0.3 * (t - 55.0)), 3.0f, 18.0f}, {0.0f, 7.5f, -8.0f}, up};
}
constexpr std::array<ShotCue, 1> temple_cues = {{{55.0, 0.3, 1.0, among_the_columns}}};

// 63 .. 68: the row of cut-out people, close and low.
Shot people(double t) {
    return {{f(-2.0 + 0.35 * (t - 63.0)), 2.4f, 15.0f}, {f(0.35 * (t - 63.0)), 2.8f, -2.0f}, up};
}

// 68 on: the crowd runs between the forks while the ants march; the camera circles slowly.
Shot crowd(double t) {
    const double a = 0.08 * (t - 68.0) - 0.5;
    return {{f(16.0 * std::sin(a)), 3.0f, f(16.0 * std::cos(a))}, {0.0f, 2.2f, -2.0f}, up};
}
Shot over_the_crowd(double t) {
    const double a = 0.08 * (t - 68.0) - 0.5;
    return {{f(22.0 * std::sin(a)), 11.0f, f(22.0 * std::cos(a))}, {0.0f, 2.0f, -3.0f}, up};
}
constexpr std::array<ShotCue, 1> crowd_cues = {{{73.5, 0.25, 1.0, over_the_crowd}}};

constexpr std::array<BaseShot, 4> base_shots = {{
    {-1e300, stalls, stalls_cues},
    {50.95, temple, temple_cues},
    {63.0, people, {}},
    {68.0, crowd, crowd_cues},
}};

}  // namespace

const BaseShot& base_shot(double t) {
    const BaseShot* shot = &base_shots.front();
    for (const BaseShot& candidate : base_shots)
        if (t >= candidate.from) shot = &candidate;
    return *shot;
}

Shot view_shot(double t) {
    const BaseShot& shot = base_shot(t);
    return blend_shots(shot.at(t), shot.cues, t);
}

Shot light_shot(double t) {
    // A slow sweep keeps the shadows alive on the backdrop.
    return {{f(-26.0 + 2.0 * std::sin(0.07 * t)), 34.0f, 38.0f}, {2.0f, 4.0f, -10.0f}, up};
}

}  // namespace middle
