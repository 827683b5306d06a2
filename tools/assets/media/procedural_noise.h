#pragma once
// Noise for painting: lattice value noise that wraps (for textures the scenes repeat) and hashed
// 3-D noise (for the sky, which is painted as a function of direction so the cube has no seams).
#include <cstdint>
#include <vector>

// Integer hash of a lattice point to [0, 1).
double lattice_hash(int x, int y, int z, uint32_t seed);

// Value noise on a cells × cells lattice that wraps at u, v = 0 and 1, so a picture sampled over
// [0, 1)² tiles seamlessly. Values in [0, 1].
class TileableNoise {
public:
    TileableNoise(int cells, uint32_t seed);
    double at(double u, double v) const;

private:
    int cells_;
    std::vector<double> values_;
};

// Fractal sum of wrapping value noise: `octaves` layers from `cells` lattice cells upward,
// each twice as fine and `gain` as strong as the last; normalised to [0, 1].
class TileableFractal {
public:
    TileableFractal(int cells, int octaves, double gain, uint32_t seed);
    double at(double u, double v) const;

private:
    std::vector<TileableNoise> layers_;
    double gain_;
};

// Smooth 3-D value noise in [0, 1], one lattice cell per unit.
double value_noise3(double x, double y, double z, uint32_t seed);

// smoothstep from the shader languages.
double smoothstep(double edge0, double edge1, double x);
