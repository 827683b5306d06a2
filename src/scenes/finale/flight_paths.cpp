#include "scenes/finale/flight_paths.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "render/mesh.h"

namespace finale {

namespace {

Vector3 position_of(const Mesh& mesh, uint32_t vertex) {
    const float* p = mesh.vertices[vertex].position;
    return {Vector3::ordinary, p[0], p[1], p[2]};
}

double cube(double x) { return x * x * x; }

}  // namespace

std::vector<Vector3> wall_face_centres(const Mesh& wall) {
    std::vector<Vector3> centres;
    const size_t quads = std::min(wall.indices.size() / 6, static_cast<size_t>(flight_path_count));
    centres.reserve(quads);
    for (size_t i = 0; i < quads; ++i) {
        const uint32_t* first = &wall.indices[6 * i];
        const uint32_t corners[4] = {first[0], first[1], first[2], first[5]};
        Vector3 sum{Vector3::ordinary, 0.0f, 0.0f, 0.0f};
        for (uint32_t corner : corners) sum = sum + position_of(wall, corner);
        centres.push_back(sum * 0.25f);
    }
    return centres;
}

std::vector<FlightPath> build_flight_paths(std::span<const Vector3> starts) {
    seed_random(flight_seed);
    std::vector<FlightPath> paths(starts.size());
    // One value per record as it is set up, before any path is flown.
    for (size_t i = 0; i < paths.size(); ++i) {
        random_int();
        paths[i].start = starts[i];
    }
    for (FlightPath& path : paths) {
        const double r1 = random_unit(), r2 = random_unit();
        double vx = 0.0, vy = -r2, vz = -1.1 * cube(1.2 * r1 + 0.7);
        if (random_unit() < 0.2) {
            const double r3 = random_unit(), r4 = random_unit();
            vy = -r4;
            vz = -2.0 * cube(1.2 * r3 + 0.7);
        }
        const double distance = length(path.start);
        const double s = std::clamp((flight_radius - distance) * 3.0, 0.0, 1.0);
        vx *= s;
        vy *= s;
        vz *= s;
        const bool moves = distance < flight_radius;
        double ox = 0.0, oy = 0.0, oz = 0.0;
        for (int k = 0; k < flight_steps; ++k) {
            vz *= 0.96;
            vy -= 0.04;
            if (oy < -0.01) {
                vy = -vy;
                vx *= 0.67;
                vy *= 0.67;
                vz *= 0.67;
                oy = 0.01;
            }
            if (k > 3 && moves) {
                ox += vx / 30.0;
                oy += vy / 30.0;
                oz += vz / 30.0;
            }
            path.offsets[k] = {Vector3::ordinary, static_cast<float>(ox), static_cast<float>(oy),
                               static_cast<float>(oz)};
        }
    }
    return paths;
}

Vector3 flight_offset(const FlightPath& path, double step) {
    const double s = std::clamp(step, 0.0, static_cast<double>(flight_steps - 1));
    const int k = std::min(static_cast<int>(s), flight_steps - 2);
    const float f = static_cast<float>(s - k);
    return path.offsets[k] + (path.offsets[k + 1] - path.offsets[k]) * f;
}

}  // namespace finale
