#pragma once
// The tank: where it is, how its wheels and turret turn. It waits out of sight below the world
// until t = 60, rises onto its track, backs along the maze corridor through the tank section and
// later climbs out of the sea onto the bridge.
#include <array>

namespace toys {

inline constexpr int tank_hull = 9, tank_turret = 7, tank_tracks[2] = {5, 6};
inline constexpr float tank_scale = 0.2f * 1.2f;

struct Axle {
    int group;
    float x, y;     // the axle's centre in the tank's own units
    double offset;  // clock offset of its turn
};
inline constexpr std::array<Axle, 6> tank_axles = {{{0, -5.4f, 0.89f, 0.3},
                                                    {1, -3.55f, 0.71f, 0.6},
                                                    {2, -1.61f, 0.7f, 0.9},
                                                    {3, 0.3f, 0.7f, -0.3},
                                                    {4, 2.2f, 0.7f, -0.6},
                                                    {8, 4.2f, 0.7f, -0.9}}};

// The translations applied before the tank's turn and scale, in world units.
struct TankPlacement {
    float x, y, z;
};
TankPlacement tank_placement(double t);

// Where along its track (z, world units) the tank is at clock t, or, before it rises at 60, where
// it will come up: the shots that frame it follow this.
float tank_track_z(double t);

// Wheel turn about its axle: soft_ramp(t - 60 + offset) degrees, as every angle handed to the
// graphics library is. The wheels are plain discs under the skirts, so how far they have turned
// does not show, and the tracks stand still in any case.
double wheel_angle(const Axle& axle, double t);

// The turret's swing about y in degrees: sine-shaped looks at 67, 71 and 73, and one more from
// the bridge at 101.
double turret_angle(double t);

}  // namespace toys
