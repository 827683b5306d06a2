#include "scenes/kit/ant_gait.h"

double ant_leg_wave(double x) {
    const double u = x - static_cast<double>(static_cast<long long>(x));
    return u < 0.2 ? 1.0 - 10.0 * u : 2.5 * (u - 0.2) - 1.0;
}
