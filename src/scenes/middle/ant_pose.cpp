#include "scenes/middle/ant_pose.h"

#include "scenes/kit/ant_gait.h"

namespace middle {

std::array<AntPartTurn, 9> ant_pose(double a) {
    const double b = 2.0 * a + 100.0;
    const float d = static_cast<float>(ant_leg_wave(2.25 * b));
    const float e = static_cast<float>(ant_leg_wave(2.25 * (5003.0 - b)));
    return {{
        {2, -0.09f, 5 * d, 13 * d},
        {3, -0.05f, 5 * d, -12 - 13 * e},
        {4, 0.0f, 2 * d, 10 * d - 6},
        {6, -0.09f, 5 * e, 13 * e},
        {7, -0.05f, 5 * e, 12 - 13 * d},
        {8, 0.0f, 2 * e, 10 * e + 6},
        {1, 0.0f, 0.0f, 0.0f},
        {0, -0.18f, 0.0f, 5 * e},
        {5, 0.1f, 0.0f, -5 * e},
    }};
}

}  // namespace middle
