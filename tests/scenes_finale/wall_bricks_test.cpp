// The wall's bricks: closed boxes with outer normals wherever their flight has turned them, and
// each pass's share of their faces, seen from in front, aside, behind and from infinitely far.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "render/mesh.h"
#include "scenes/finale/wall_bricks.h"

namespace {

using finale::BrickFace;
using finale::BrickVertex;
using finale::FlightPath;
using finale::PlacedWall;

Vector3 corner(const BrickVertex& v) { return {v.position[0], v.position[1], v.position[2]}; }

Vector3 centre_of(const BrickFace& f) {
    return (corner(f.corners[0]) + corner(f.corners[1]) + corner(f.corners[2]) + corner(f.corners[3])) *
           0.25f;
}

// Two faces of one unit, the first wound counter-clockwise seen from −z (the side the wall
// faces), the second the other way round; the second starts three units to the right.
Mesh two_faces() {
    Mesh mesh;
    mesh.alternate_file = false;
    mesh.read(
        "v 0 0 0\nv -1 0 0\nv -1 1 0\nv 0 1 0\nv 3 0 0\nv 4 0 0\nv 4 1 0\nv 3 1 0\n"
        "o bricks\nf 1 2 3 4\nf 5 6 7 8\n",
        false);
    return mesh;
}

// The first brick rests; the second has flown towards −z and dropped a little.
std::vector<FlightPath> resting_and_flown() {
    std::vector<FlightPath> paths(2);
    paths[0].start = {-0.5f, 0.5f, 0.0f};
    paths[1].start = {3.5f, 0.5f, 0.0f};
    for (Vector3& o : paths[1].offsets) o = {0.0f, -0.1f, -0.3f};
    return paths;
}

TEST(WallBricks, EachBrickIsAClosedBoxWithOuterNormalsWhereverItHasTurned) {
    const Mesh mesh = two_faces();
    const std::vector<FlightPath> paths = resting_and_flown();
    PlacedWall wall;
    finale::place_bricks(mesh, paths, 10.0, wall);
    ASSERT_EQ(wall.faces.size(), 12u);

    for (int brick = 0; brick < 2; ++brick) {
        Vector3 middle{0.0f, 0.0f, 0.0f};
        for (int f = 0; f < 6; ++f) middle = middle + centre_of(wall.faces[6 * brick + f]) * (1.0f / 6.0f);
        for (int f = 0; f < 6; ++f) {
            const BrickFace& face = wall.faces[6 * brick + f];
            EXPECT_NEAR(length(face.outward), 1.0f, 1e-5f);
            EXPECT_GT(dot(face.outward, centre_of(face) - middle), 0.0f)
                << "brick " << brick << " face " << f;
            for (const BrickVertex& v : face.corners) {
                EXPECT_NEAR(dot(face.outward, corner(v)), face.offset, 1e-5f) << "a flat face";
                EXPECT_GE(v.position[0], wall.low.x);
                EXPECT_LE(v.position[2], wall.high.z);
            }
        }
    }
    // The resting brick's front lies half a brick's depth before the mesh, corners in the mesh's
    // order; its back as far behind.
    const BrickFace& front = wall.faces[0];
    EXPECT_FLOAT_EQ(front.corners[1].position[0], -1.0f);
    for (const BrickVertex& v : front.corners) EXPECT_FLOAT_EQ(v.position[2], -finale::brick_depth);
    for (const BrickVertex& v : wall.faces[1].corners) EXPECT_FLOAT_EQ(v.position[2], finale::brick_depth);
    // The flown brick is turned about its long axis by six radians per unit flown along −z, and its
    // front and back carry their own outer normals.
    const float tumble = -6.0f * -0.3f;
    EXPECT_NEAR(wall.faces[6].outward.y, std::sin(tumble), 1e-5f);
    EXPECT_NEAR(wall.faces[6].outward.z, -std::cos(tumble), 1e-5f);
    EXPECT_NEAR(wall.faces[7].corners[0].normal[1], -std::sin(tumble), 1e-5f);
    // Its lowest z: a long edge half a unit off the axis, turned forward, and the depth.
    EXPECT_NEAR(wall.low.z,
                -0.3f - 0.5f * std::abs(std::sin(tumble)) - finale::brick_depth * std::abs(std::cos(tumble)),
                1e-5f);
}

TEST(WallBricks, APassSeesTheFacesTurnedTowardsItsViewpoint) {
    const Mesh mesh = two_faces();
    std::vector<FlightPath> paths = resting_and_flown();
    paths.resize(1);
    PlacedWall wall;
    finale::place_bricks(mesh, paths, 0.0, wall);
    std::vector<BrickVertex> quads;
    // Which of the brick's faces (front, back, then the sides) the quads are.
    const auto seen_from = [&](Viewpoint eye) {
        finale::seen_quads(wall, eye, quads);
        std::vector<int> faces;
        for (size_t q = 0; q < quads.size(); q += 4)
            for (int f = 0; f < 6; ++f)
                if (quads[q].position[0] == wall.faces[f].corners[0].position[0] &&
                    quads[q].position[1] == wall.faces[f].corners[0].position[1] &&
                    quads[q].position[2] == wall.faces[f].corners[0].position[2] &&
                    quads[q + 2].position[0] == wall.faces[f].corners[2].position[0] &&
                    quads[q + 2].position[2] == wall.faces[f].corners[2].position[2])
                    faces.push_back(f);
        return faces;
    };
    EXPECT_EQ(seen_from({-0.5f, 0.5f, -5.0f, 1.0f}), (std::vector<int>{0})) << "straight in front";
    EXPECT_EQ(seen_from({-0.5f, 0.5f, 5.0f, 1.0f}), (std::vector<int>{1})) << "straight behind";
    EXPECT_EQ(seen_from({0.0f, 0.0f, -1.0f, 0.0f}), (std::vector<int>{0})) << "from far in front";
    const std::vector<int> aside = seen_from({3.0f, 4.0f, -5.0f, 1.0f});
    ASSERT_EQ(aside.size(), 3u) << "in front, to the right and above: three faces";
    EXPECT_EQ(aside[0], 0);
    const std::vector<int> far_aside = seen_from({-1.0f, -1.0f, 1.0f, 0.0f});
    ASSERT_EQ(far_aside.size(), 3u) << "from far behind, to the left and below";
    EXPECT_EQ(far_aside[0], 1);
    // Right and top from the one, left and bottom from the other: all four sides between them.
    const std::set<int> sides = {aside[1], aside[2], far_aside[1], far_aside[2]};
    EXPECT_EQ(sides, (std::set<int>{2, 3, 4, 5}));
    // The quads keep the corners and normals they were placed with.
    finale::seen_quads(wall, {-0.5f, 0.5f, -5.0f, 1.0f}, quads);
    ASSERT_EQ(quads.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(quads[k].position[1], wall.faces[0].corners[k].position[1]);
        EXPECT_EQ(quads[k].normal[2], -1.0f);
    }
}

TEST(WallBricks, NoPathsNoBricks) {
    PlacedWall wall;
    finale::place_bricks(two_faces(), {}, 0.0, wall);
    EXPECT_TRUE(wall.faces.empty());
    Mesh missing;
    finale::place_bricks(missing, resting_and_flown(), 0.0, wall);
    EXPECT_TRUE(wall.faces.empty());
}

}  // namespace
