#pragma once
// The two point fields of the main pass: a slow rain of pale specks that settles into a still
// field of stars at t = 7 (t < 104), and a dark swarm round the transforming toys (t > 107).
#include <cstdint>
#include <vector>

namespace toys {

inline constexpr uint32_t particle_seed = 23423;
inline constexpr int rain_count = 700;
inline constexpr int swarm_count = 4500;

struct Speck {
    float x, y, z;
};

// One rain speck from its own six random values r[0..5] (r1..r6).
Speck rain_speck(const double r[6], double t);
// One swarm speck from its three random values (x, y, depth).
Speck swarm_speck(const double r[3]);

// Whole fields, drawing from the show's generator (the caller seeds it).
void rain_field(double t, std::vector<Speck>& out);
void swarm_field(std::vector<Speck>& out);

}  // namespace toys
