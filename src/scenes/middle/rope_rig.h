#pragma once
// The ropes of the middle scene: a field of ten ropes hanging from a swaying bar above the stage
// (paper stars are threaded along them) and a single rope whose top end the moon holds. Every
// rope has 10 masses joined by springs of stiffness 15.5, damping 0.1 and rest length 2, under
// a gravity of (0, -12, 0); the single rope grows lighter ((0, -8, 0)) from 34.5 on.
//
// The ropes hang in a space of their own, drawn at rope_scale of it: under that gravity a rope of
// rest length 18 stretches to about 33, more than the stage is tall.
//
// A rope's first mass is its led end: each frame it is put where the choreography wants it,
// heavy enough that the springs cannot drag it, and the rest of the rope follows.
#include <vector>

#include "anim/spline.h"
#include "anim/spring_chain.h"
#include "core/vector3.h"

namespace middle {

inline constexpr int rope_masses = 10;
inline constexpr float rope_stiffness = 15.5f, rope_damping = 0.1f, rope_rest_length = 2.0f;
inline constexpr Vector3 rope_gravity{0.0f, -12.0f, 0.0f};
inline constexpr Vector3 light_rope_gravity{0.0f, -8.0f, 0.0f};
inline constexpr int field_ropes = 10;
inline constexpr float led_weight = 1000.0f;
inline constexpr float rope_scale = 0.55f;

// A chain rebuilt into an open curve through its masses (the first one twice, so the curve
// starts at the led end), respaced to `points` points with 3 subdivisions when points > 0.
void rope_curve(const SpringChain& chain, Spline& curve, int points);

class RopeRig {
public:
    // Ten field ropes and the single rope, each hanging straight down from its led end at rest.
    void create();

    // Where rope i of the field is held at t (rope space): along a bar above the stage that sways.
    static Vector3 field_anchor(int i, double t);
    // Where the moon holds the single rope at t (rope space): still until 33.5, then carried up and across
    // the sky until 37.5, where it stays.
    static Vector3 moon_position(double t);

    // Leads the field ropes' ends and advances them by the frame's delta.
    void step_field(double t, double delta);
    // The same for the single rope; from 34.5 it is lighter.
    void step_single(double t, double delta);

    std::vector<SpringChain> field;
    std::vector<SpringChain> single;  // one rope: kept in a vector as a chain has no default state

    bool operator==(const RopeRig&) const = default;
};

}  // namespace middle
