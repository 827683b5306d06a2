#include "scenes/toys/toys_particles.h"

#include <cmath>

#include "core/random.h"
#include "scenes/toys/toys_stage.h"

namespace toys {

namespace {
// The swarm is as deep as it is wide, centred on the toys on the bridge.
constexpr double swarm_half_depth = 15.0;
constexpr double swarm_centre_z = bridge_z;
}  // namespace

Speck rain_speck(const double r[6], double t) {
    const double z = 90.0 * r[0] + 183.0;
    const double y0 = (64.0 * r[1] - 16.0) * 1.5 - 20.0;
    double x = (12.0 * r[2] - 6.0) * 55.0;
    double y = y0 - (r[3] + 0.3) * t * 7.0;
    x += 5.0 * std::sin(2.0 * r[4] * t);
    if (t > 3.0) y += 56.0;
    if (t >= 7.0) y = (64.0 * r[5] - 16.0) * 2.5 + 36.0;
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

Speck swarm_speck(const double r[3]) {
    return {static_cast<float>(15.0 * (2.0 * r[0] - 1.0)),
            static_cast<float>(15.0 * (2.0 * r[1] - 1.0) + 27.0),
            static_cast<float>(swarm_centre_z + swarm_half_depth * (2.0 * r[2] - 1.0))};
}

void rain_field(double t, std::vector<Speck>& out) {
    out.resize(rain_count);
    for (Speck& s : out) {
        double r[6];
        for (double& v : r) v = random_unit();
        s = rain_speck(r, t);
    }
}

void swarm_field(std::vector<Speck>& out) {
    out.resize(swarm_count);
    for (Speck& s : out) {
        double r[3];
        for (double& v : r) v = random_unit();
        s = swarm_speck(r);
    }
}

}  // namespace toys
