#include "tools/assets/media/procedural_noise.h"

#include "core/random.h"

#include <algorithm>
#include <cmath>

namespace {

double quintic(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

int wrap(int i, int n) { return ((i % n) + n) % n; }

}  // namespace

double lattice_hash(int x, int y, int z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h >> 8) / 16777216.0;
}

TileableNoise::TileableNoise(int cells, uint32_t seed)
    : cells_(cells), values_(static_cast<size_t>(cells * cells)) {
    RandomGenerator random(seed);
    for (double& v : values_) v = random.draw_unit();
}

double TileableNoise::at(double u, double v) const {
    const double x = u * cells_, y = v * cells_;
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = wrap(static_cast<int>(fx), cells_), y0 = wrap(static_cast<int>(fy), cells_);
    const int x1 = wrap(x0 + 1, cells_), y1 = wrap(y0 + 1, cells_);
    const double tx = quintic(x - fx), ty = quintic(y - fy);
    auto value = [&](int i, int j) { return values_[static_cast<size_t>(j * cells_ + i)]; };
    const double top = value(x0, y0) + (value(x1, y0) - value(x0, y0)) * tx;
    const double bottom = value(x0, y1) + (value(x1, y1) - value(x0, y1)) * tx;
    return top + (bottom - top) * ty;
}

TileableFractal::TileableFractal(int cells, int octaves, double gain, uint32_t seed) : gain_(gain) {
    for (int o = 0; o < octaves; ++o)
        layers_.emplace_back(cells << o, seed + 7919u * static_cast<uint32_t>(o));
}

double TileableFractal::at(double u, double v) const {
    double sum = 0, weight = 1, total = 0;
    for (const TileableNoise& layer : layers_) {
        sum += weight * layer.at(u, v);
        total += weight;
        weight *= gain_;
    }
    return sum / total;
}

double value_noise3(double x, double y, double z, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    const double tx = quintic(x - fx), ty = quintic(y - fy), tz = quintic(z - fz);
    double plane[2];
    for (int k = 0; k < 2; ++k) {
        double row[2];
        for (int j = 0; j < 2; ++j) {
            const double a = lattice_hash(ix, iy + j, iz + k, seed),
                         b = lattice_hash(ix + 1, iy + j, iz + k, seed);
            row[j] = a + (b - a) * tx;
        }
        plane[k] = row[0] + (row[1] - row[0]) * ty;
    }
    return plane[0] + (plane[1] - plane[0]) * tz;
}

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}
