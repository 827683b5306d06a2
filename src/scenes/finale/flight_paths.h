#pragma once
// The wall's pieces in flight: for each of the wall mesh's quad faces, the offsets it takes over
// 150 steps as the wall is blown apart. Only faces within 0.91 of the wall's centre move; they
// fly off along −z (a fifth of them twice as hard), fall, bounce back up with two thirds of their
// speed and come to rest. Built once at load from the show's generator seeded with 42425, so
// every run shows the same flight.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/vector3.h"

class Mesh;

namespace finale {

inline constexpr int flight_path_count = 1408;
inline constexpr int flight_steps = 150;
inline constexpr uint32_t flight_seed = 42425;
inline constexpr float flight_radius = 0.91f;

struct FlightPath {
    Vector3 start;                                // the face's centre
    std::array<Vector3, flight_steps> offsets{};  // where the face is at each step, from start
};

// The mean of each quad face's four corners, in face order, for the first 1408 faces (fewer when
// the mesh has fewer: a missing wall has none). The loader splits quad i into the fan triangles
// 2i = (a, b, c) and 2i + 1 = (a, c, d).
std::vector<Vector3> wall_face_centres(const Mesh& wall);

// One path per face centre, in order, drawing from the show's generator: it is seeded with
// 42425 and gives one value per path record first, then per path r1, r2 (velocity
// (0, −r2, −1.1·(1.2·r1 + 0.7)³)) and a third value: below 0.2, two more, r3, r4, make it
// (0, −r4, −2·(1.2·r3 + 0.7)³). The velocity is scaled by clamp((0.91 − |p|)·3, 0, 1). Each step
// k: v.z ·= 0.96; v.y −= 0.04; below o.y = −0.01 the piece bounces (v.y reversed, v ·= 0.67,
// o.y = 0.01); from k = 4 on, pieces with |p| < 0.91 move by v / 30.
std::vector<FlightPath> build_flight_paths(std::span<const Vector3> starts);

// The offset at a fractional step (clamped to the path), linearly between steps.
Vector3 flight_offset(const FlightPath& path, double step);

}  // namespace finale
