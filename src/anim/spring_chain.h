#pragma once
// A rope: n point masses joined in a row by n − 1 springs (spring j joins masses j and j + 1),
// stepped with a two-step Adams–Bashforth integrator. The middle scene hangs ropes from a led end
// and swings them; each frame it rebuilds a spline through the masses to draw them.
#include <cstdint>
#include <vector>

#include "anim/spline.h"
#include "core/vector3.h"

struct RopeMass {
    Vector3 velocity{0.0f, 0.0f, 0.0f};
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 previous_acceleration{0.0f, 0.0f, 0.0f};
    Vector3 previous_velocity{0.0f, 0.0f, 0.0f};
    // Masses other than a led one are never given a weight by the scenes; 1 keeps them physical.
    float weight = 1.0f;
    bool operator==(const RopeMass&) const = default;
};

struct RopeSpring {
    float stiffness = 0.0f;
    float damping = 0.0f;
    float rest_length = 0.0f;
    int32_t first = 0;   // mass index A
    int32_t second = 0;  // mass index B
    Vector3 gravity{0.0f, -9.81f, 0.0f};
    float keep = 0.988f;  // share of the velocity kept after each update
    bool operator==(const RopeSpring&) const = default;
};

class SpringChain {
public:
    static constexpr double max_step = 0.005;  // seconds per substep
    static constexpr int32_t max_substeps = 10;

    std::vector<RopeMass> masses;
    std::vector<RopeSpring> springs;

    // A chain of `mass_count` masses (at least 2), all at the origin and at rest.
    SpringChain(int32_t mass_count, float stiffness, float damping, float rest_length);

    // Resets one mass (index clamped into the chain) to the given position and weight, at rest:
    // velocity, previous acceleration and previous velocity become zero.
    void lead(int32_t index, float weight, const Vector3& position);
    void set_gravity(const Vector3& gravity);

    // Advances by a whole number of fixed steps: min(trunc(Δ/h + 1), 10), h = max(max_step, 0.002).
    // Δ = 0 still takes one step; a negative Δ of at least one step takes none.
    void simulate(double delta);
    // How many substeps simulate(delta) takes.
    static int32_t substeps_for(double delta);
    // One spring's update of its two masses, with both accelerations taken from the state before.
    void spring_step(const RopeSpring& spring, float h);

    // Empties the spline, sets one channel, and appends the first mass twice, then every mass;
    // count becomes the number of points. The closed flag is left as the spline had it.
    void rebuild_spline(Spline& spline) const;

    bool operator==(const SpringChain&) const = default;
};
