// The wall's flight paths: who moves, how fast, and the first bounce worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/random.h"
#include "render/mesh.h"
#include "scenes/finale/flight_paths.h"

namespace {

using finale::build_flight_paths;
using finale::FlightPath;

Vector3 at(float x, float y, float z) { return {Vector3::ordinary, x, y, z}; }

// The draws a path makes, replayed from the seed: one value per record, then per path r1, r2,
// the variant draw and, when it is below 0.2, r3 and r4.
struct Draws {
    double r1, r2, choice, r3 = 0, r4 = 0;
};
std::vector<Draws> replay(size_t paths) {
    RandomGenerator g(finale::flight_seed);
    for (size_t i = 0; i < paths; ++i) g.draw();
    std::vector<Draws> draws(paths);
    for (Draws& d : draws) {
        d.r1 = g.draw_unit();
        d.r2 = g.draw_unit();
        d.choice = g.draw_unit();
        if (d.choice < 0.2) {
            d.r3 = g.draw_unit();
            d.r4 = g.draw_unit();
        }
    }
    return draws;
}

TEST(FlightPaths, FacesAtOrBeyondTheRadiusNeverMove) {
    const std::vector<Vector3> starts = {at(0.91f, 0.0f, 0.0f), at(0.0f, 1.4f, 0.0f), at(-1.2f, -0.3f, 0.0f)};
    const auto paths = build_flight_paths(starts);
    ASSERT_EQ(paths.size(), starts.size());
    for (const FlightPath& path : paths)
        for (const Vector3& o : path.offsets) {
            EXPECT_EQ(o.x, 0.0f);
            EXPECT_EQ(o.y, 0.0f);
            EXPECT_EQ(o.z, 0.0f);
        }
}

TEST(FlightPaths, FirstStepsFallThenBounceByHand) {
    // A centre face at full speed (clamp((0.91 − 0.5)·3) = 1).
    const auto paths = build_flight_paths(std::vector<Vector3>{at(0.0f, 0.5f, 0.0f)});
    const Draws d = replay(1)[0];
    double vz = d.choice < 0.2 ? -2.0 * std::pow(1.2 * d.r3 + 0.7, 3) : -1.1 * std::pow(1.2 * d.r1 + 0.7, 3);
    const double r2 = d.choice < 0.2 ? d.r4 : d.r2;
    ASSERT_GT(r2, 0.1) << "this seed's first piece falls through the floor level at once";
    const FlightPath& path = paths[0];
    // Steps 0-3: the piece waits.
    for (int k = 0; k < 4; ++k) EXPECT_EQ(path.offsets[k].z, 0.0f) << k;
    // Step 4: five decays and five pulls of gravity, then the first move.
    const double vz4 = vz * std::pow(0.96, 5), vy4 = -r2 - 0.2;
    EXPECT_NEAR(path.offsets[4].z, vz4 / 30.0, 1e-6);
    EXPECT_NEAR(path.offsets[4].y, vy4 / 30.0, 1e-6);
    EXPECT_EQ(path.offsets[4].x, 0.0f);
    // Step 5: below −0.01, so it bounces: up at two thirds of the speed, from 0.01.
    const double vz5 = vz4 * 0.96 * 0.67, vy5 = (r2 + 0.24) * 0.67;
    EXPECT_NEAR(path.offsets[5].y, 0.01 + vy5 / 30.0, 1e-6);
    EXPECT_NEAR(path.offsets[5].z, (vz4 + vz5) / 30.0, 1e-6);
    // Step 6: still rising, gravity takes 0.04 off.
    EXPECT_NEAR(path.offsets[6].y, 0.01 + vy5 / 30.0 + (vy5 - 0.04) / 30.0, 1e-6);
    // It flies off along −z and ends at rest near the floor level.
    EXPECT_LT(path.offsets.back().z, path.offsets[6].z);
    EXPECT_NEAR(path.offsets.back().z, path.offsets[148].z, 1e-3);
    EXPECT_GT(path.offsets.back().y, -0.05f);
    EXPECT_LT(path.offsets.back().y, 0.05f);
}

TEST(FlightPaths, SpeedShrinksTowardsTheRadiusAndAFifthFlyHarder) {
    // Near the edge: clamp((0.91 − 0.8)·3) = 0.33 of the speed.
    constexpr size_t n = 200;
    std::vector<Vector3> centre(n, at(0.0f, 0.0f, 0.0f)), edge(n, at(0.8f, 0.0f, 0.0f));
    const auto full = build_flight_paths(centre);
    const auto slow = build_flight_paths(edge);
    const auto draws = replay(n);
    int variants = 0;
    for (size_t i = 0; i < n; ++i) {
        const Draws& d = draws[i];
        const bool variant = d.choice < 0.2;
        variants += variant;
        const double vz =
            variant ? -2.0 * std::pow(1.2 * d.r3 + 0.7, 3) : -1.1 * std::pow(1.2 * d.r1 + 0.7, 3);
        EXPECT_NEAR(full[i].offsets[4].z, vz * std::pow(0.96, 5) / 30.0, 1e-5) << i;
        EXPECT_NEAR(slow[i].offsets[4].z, 0.33 * full[i].offsets[4].z, 1e-5) << i;
    }
    EXPECT_GT(variants, 20);
    EXPECT_LT(variants, 60);
}

TEST(FlightPaths, WallFaceCentresAreTheMeansOfTheQuadCorners) {
    Mesh wall;
    wall.alternate_file = false;
    wall.read(
        "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2 0 0\nv 4 0 0\nv 4 2 0\nv 2 2 0\n"
        "o bricks\nf 1 2 3 4\nf 5 6 7 8\n",
        true);
    const auto centres = finale::wall_face_centres(wall);
    ASSERT_EQ(centres.size(), 2u);
    EXPECT_FLOAT_EQ(centres[0].x, 0.5f);
    EXPECT_FLOAT_EQ(centres[0].y, 0.5f);
    EXPECT_FLOAT_EQ(centres[1].x, 3.0f);
    EXPECT_FLOAT_EQ(centres[1].y, 1.0f);
}

TEST(FlightPaths, AWallWithoutFacesGivesNoPaths) {
    // A missing or empty wall mesh: nothing to fly, and nothing read past its faces.
    Mesh missing;
    EXPECT_FALSE(missing.load("no such wall.obj", false));
    EXPECT_TRUE(finale::wall_face_centres(missing).empty());
    EXPECT_TRUE(build_flight_paths(finale::wall_face_centres(missing)).empty());
}

TEST(FlightPaths, OffsetBetweenStepsIsInterpolatedAndClamped) {
    const auto paths = build_flight_paths(std::vector<Vector3>{at(0.1f, 0.2f, 0.0f)});
    const FlightPath& p = paths[0];
    EXPECT_NEAR(finale::flight_offset(p, 10.5).z, 0.5f * (p.offsets[10].z + p.offsets[11].z), 1e-6);
    EXPECT_EQ(finale::flight_offset(p, -3.0).z, p.offsets[0].z);
    EXPECT_EQ(finale::flight_offset(p, 400.0).z, p.offsets[149].z);
}

}  // namespace
