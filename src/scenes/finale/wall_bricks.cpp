#include "scenes/finale/wall_bricks.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "render/mesh.h"

namespace finale {

namespace {

using Quad = std::array<Vector3, 4>;

Vector3 centre_of(const Quad& q) { return (q[0] + q[1] + q[2] + q[3]) * 0.25f; }

Vector3 lowest(const Vector3& a, const Vector3& b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)};
}
Vector3 highest(const Vector3& a, const Vector3& b) {
    return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)};
}

BrickFace face(const Quad& q, const Vector3& outward, const Vector3& normal) {
    BrickFace f;
    for (int k = 0; k < 4; ++k) f.corners[k] = {{q[k].x, q[k].y, q[k].z}, {normal.x, normal.y, normal.z}};
    f.outward = outward;
    f.offset = dot(outward, q[0]);
    return f;
}

}  // namespace

void place_bricks(const Mesh& mesh, std::span<const FlightPath> paths, double step, PlacedWall& wall) {
    wall.faces.clear();
    wall.low = wall.high = Vector3{};
    const size_t bricks = std::min(paths.size(), mesh.indices.size() / 6);
    if (bricks == 0) return;
    wall.faces.reserve(6 * bricks);
    wall.low = Vector3{INFINITY, INFINITY, INFINITY};
    wall.high = Vector3{-INFINITY, -INFINITY, -INFINITY};
    for (size_t i = 0; i < bricks; ++i) {
        const FlightPath& path = paths[i];
        const Vector3 o = flight_offset(path, step);
        // A flying brick tumbles about its long axis as far as it has flown.
        const float tumble = -6.0f * o.z;
        const float c = std::cos(tumble), s = std::sin(tumble);
        // The loader splits quad i into the triangles (a, b, c) and (a, c, d).
        const uint32_t* first = &mesh.indices[6 * i];
        const uint32_t corners[4] = {first[0], first[1], first[2], first[5]};
        Quad front, back;
        for (int k = 0; k < 4; ++k) {
            const float* p = mesh.vertices[corners[k]].position;
            const float ly = p[1] - path.start.y;
            const auto place = [&](float lz) {
                return Vector3{p[0] + o.x, path.start.y + ly * c - lz * s + o.y, ly * s + lz * c + o.z};
            };
            front[k] = place(-brick_depth);
            back[k] = place(brick_depth);
            wall.low = lowest(wall.low, lowest(front[k], back[k]));
            wall.high = highest(wall.high, highest(front[k], back[k]));
        }
        const Vector3 out_front{0.0f, s, -c}, out_back{0.0f, -s, c};
        wall.faces.push_back(face(front, out_front, out_front));
        wall.faces.push_back(face(back, out_back, out_back));
        const Vector3 middle = (centre_of(front) + centre_of(back)) * 0.5f;
        for (int k = 0; k < 4; ++k) {
            const int n = (k + 1) % 4;
            const Quad side = {front[k], front[n], back[n], back[k]};
            Vector3 normal = cross(front[n] - front[k], back[k] - front[k]);
            normalise(normal);
            const bool points_out = dot(normal, centre_of(side) - middle) > 0.0f;
            wall.faces.push_back(face(side, points_out ? normal : normal * -1.0f, normal));
        }
    }
}

void seen_quads(const PlacedWall& wall, const Viewpoint& eye, std::vector<BrickVertex>& quads) {
    quads.clear();
    const Vector3 towards{eye[0], eye[1], eye[2]};
    for (const BrickFace& f : wall.faces)
        if (dot(f.outward, towards) - f.offset * eye[3] > 0.0f)
            quads.insert(quads.end(), std::begin(f.corners), std::end(f.corners));
}

}  // namespace finale
