#pragma once
// The two waves of toy cars. Each car drives once along its road on its own ramp; before it
// starts it waits in its lane's queue at the road's start, and once there it parks at the road's
// end behind the cars that arrived before it, so no two cars ever stand on one spot. The first
// wave drives along +x on the near road, the second along -x on the far one.
#include <array>

#include "scenes/toys/toys_stage.h"

namespace toys {

inline constexpr float car_scale = 0.55f;
// Bumper to bumper in a queue: the longest car is 9.6 long before its scale.
inline constexpr float car_spacing = 6.0f;

struct CarRun {
    int model;           // 0, 1, 2: vehicle1, vehicle2, vehicle3
    double start, rate;  // its ramp: eased over 1 / rate clock seconds from start
    float lane;          // across the road from its middle, towards the board when negative
    float behind;        // where it waits: this far behind the road's start
    float beyond;        // where it parks: this far beyond the road's end
    float paint[3];
    float type2;  // the paper finish
};

struct Wave {
    float road_z;
    float direction;  // +1 along +x, -1 along -x
    std::array<CarRun, 4> cars;
};

// The first wave: the blue car (31) drives in the lane nearer the board, where the green one
// (31.3) overtakes it, and on past the others' places: its window closes at 39 before its drive
// is over, so by then it has to be out of the picture.
inline constexpr Wave first_wave{
    near_road_z,
    1.0f,
    {{{0, 21.0, 0.14, 0.0f, 0.0f, 2 * car_spacing, {0.75f, 0.18f, 0.12f}, 0.0f},
      {1, 31.0, 0.1, -2.4f, 0.0f, 2 * car_spacing, {0.2f, 0.35f, 0.7f}, 1.0f},
      {2, 26.0, 0.15, 0.0f, car_spacing, car_spacing, {0.85f, 0.65f, 0.2f}, 0.0f},
      {0, 31.3, 0.23, 0.0f, 2 * car_spacing, 0.0f, {0.25f, 0.6f, 0.35f}, 1.0f}}}};
// The second wave leaves and arrives in one order, so it keeps one lane.
inline constexpr Wave second_wave{
    far_road_z,
    -1.0f,
    {{{2, 29.0, 0.14, 0.0f, 0.0f, 3 * car_spacing, {0.3f, 0.55f, 0.75f}, 1.0f},
      {0, 60.1, 0.13, 0.0f, 3 * car_spacing, 0.0f, {0.85f, 0.85f, 0.8f}, 0.0f},
      {1, 35.0, 0.16, 0.0f, car_spacing, 2 * car_spacing, {0.8f, 0.3f, 0.45f}, 0.0f},
      {0, 54.5, 0.15, 0.0f, 2 * car_spacing, car_spacing, {0.9f, 0.5f, 0.15f}, 1.0f}}}};

// Where a car of the wave is at clock t: its middle on the road, its heading (degrees about y)
// and how far it has driven (its wheels turn by that).
struct CarPlace {
    float x, z, heading, driven;
};
CarPlace place_car(const Wave& wave, const CarRun& car, double t);

}  // namespace toys
