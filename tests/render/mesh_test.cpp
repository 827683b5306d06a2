// The OBJ reading rules of Mesh, on text in memory (no GL).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/random.h"
#include "render/mesh.h"

namespace {

Mesh read(const std::string& text, bool alternate = false, bool recompute = false) {
    Mesh mesh;
    mesh.alternate_file = alternate;
    mesh.read(text, recompute);
    return mesh;
}

const std::string kSquare = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

std::vector<uint32_t> triangle(const Mesh& mesh, int t) {
    return {mesh.indices[3 * t], mesh.indices[3 * t + 1], mesh.indices[3 * t + 2]};
}

}  // namespace

TEST(MeshRead, QuadIsAFanAndEveryStatementCounts) {
    const Mesh mesh = read(kSquare + "vt 0 0\nvt 1 1\nvn 0 0 1\nf 1 2 3 4\n");
    EXPECT_EQ(mesh.position_count, 4);
    EXPECT_EQ(mesh.texcoord_count, 2);
    EXPECT_EQ(mesh.normal_count, 1);
    ASSERT_EQ(mesh.triangle_count, 2);
    EXPECT_EQ(triangle(mesh, 0), (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(triangle(mesh, 1), (std::vector<uint32_t>{0, 2, 3}));
    EXPECT_EQ(mesh.vertices.size(), 4u);
    EXPECT_TRUE(mesh.has_positions && mesh.has_texcoords && mesh.has_normals);
}

TEST(MeshRead, UniqueVerticesShareOnlyIdenticalCorners) {
    const Mesh mesh = read(kSquare +
                           "vt 0 0\nvt 0.5 0.5\nvn 0 0 1\nvn 0 1 0\n"
                           "f 1/1/1 2/1/1 3/1/1\n"
                           "f 1/1/1 3/1/1 4/1/1\n"    // corners 1 and 3 again: shared
                           "f 1/2/1 2/1/2 4/1/1\n");  // new texcoord / new normal
    ASSERT_EQ(mesh.triangle_count, 3);
    EXPECT_EQ(triangle(mesh, 1), (std::vector<uint32_t>{0, 2, 3}));
    EXPECT_EQ(triangle(mesh, 2), (std::vector<uint32_t>{4, 5, 3}));
    EXPECT_EQ(mesh.vertices.size(), 6u);
    EXPECT_FLOAT_EQ(mesh.vertices[4].texcoord[0], 0.5f);
    EXPECT_FLOAT_EQ(mesh.vertices[5].normal[1], 1.0f);
}

TEST(MeshRead, PositionNormalFormLeavesTexcoordsZero) {
    const Mesh mesh = read(kSquare + "vt 0.7 0.7\nvn 0 0 1\nf 1//1 2//1 3//1\n");
    ASSERT_EQ(mesh.triangle_count, 1);
    for (const MeshVertex& v : mesh.vertices) {
        EXPECT_EQ(v.texcoord[0], 0.0f);
        EXPECT_EQ(v.texcoord[1], 0.0f);
        EXPECT_EQ(v.normal[2], 1.0f);
    }
}

TEST(MeshRead, FaceFormIsFixedByItsFirstCornerAndEndsAtAWordThatDoesNotParse) {
    // The first face continues across its line end. The second starts in the p/t form, so "4"
    // (no "/t") ends it; the rest of that line is skipped. A p/t corner with texture coordinate
    // (0, 0) is byte for byte the plain corner, so they share vertices.
    const Mesh mesh = read(kSquare + "vt 0 0\nf 1 2\n3 4\nf 1/1 2/1 3/1 4 1 2\n# c\nf 2 3 4 # tail\n");
    ASSERT_EQ(mesh.triangle_count, 4);
    EXPECT_EQ(triangle(mesh, 1), (std::vector<uint32_t>{0, 2, 3}));
    EXPECT_EQ(triangle(mesh, 2), (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(triangle(mesh, 3), (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(mesh.vertices.size(), 4u);
    EXPECT_EQ(mesh.object_boundaries, (std::vector<int>{4}));
}

TEST(MeshRead, IndicesOutsideWhatWasReadSkipTheirTriangles) {
    // 5 is beyond the four positions, -5 names the one before the first, 0 names nothing, and 9
    // is a normal that does not exist: each triangle touching one of them is skipped.
    const Mesh mesh = read(kSquare + "vn 0 0 1\nf 1 2 3 5\nf -5 1 2\nf 0 1 2\nf 1//1 2//9 3//1\nf 2 3 4\n");
    ASSERT_EQ(mesh.triangle_count, 2);
    EXPECT_EQ(triangle(mesh, 0), (std::vector<uint32_t>{0, 1, 2}));
    for (uint32_t index : mesh.indices) EXPECT_LT(index, mesh.vertices.size());
}

namespace {

std::vector<float> corner_position(const Mesh& mesh, int t, int k) {
    const float* p = mesh.vertices[triangle(mesh, t)[k]].position;
    return {p[0], p[1], p[2]};
}

}  // namespace

TEST(MeshRead, NegativeIndexCountsBackFromTheLastElementRead) {
    // With four positions read, -1 is the fourth and -4 the first; after a fifth, -1 is that one.
    const Mesh mesh = read(kSquare + "f -1 -2 -4\nv 5 5 5\nf -1 -2 -3\n");
    ASSERT_EQ(mesh.triangle_count, 2);
    EXPECT_EQ(corner_position(mesh, 0, 0), (std::vector<float>{0, 1, 0}));
    EXPECT_EQ(corner_position(mesh, 0, 1), (std::vector<float>{1, 1, 0}));
    EXPECT_EQ(corner_position(mesh, 0, 2), (std::vector<float>{0, 0, 0}));
    EXPECT_EQ(corner_position(mesh, 1, 0), (std::vector<float>{5, 5, 5}));
    EXPECT_EQ(corner_position(mesh, 1, 2), (std::vector<float>{1, 1, 0}));
}

TEST(MeshRead, RelativeAndAbsoluteIndicesNameTheSameCorners) {
    // Two quads written once with absolute and once with relative indices, texture coordinates
    // and normals counted back per kind, mixed within faces: both readings give the same mesh.
    const std::string head = "v 0 0 0\nv 1 0 0\nv 1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\n";
    const std::string tail = "v 0 1 0\nvt 0 1\nvn 0 0 -1\n";
    const Mesh absolute = read(head + "f 1/1/1 2/2/1 3/3/1\n" + tail + "f 1/1/2 3/3/2 4/4/2\n");
    const Mesh relative = read(head + "f -3/-3/-1 2/-2/1 -1/3/-1\n" + tail + "f -4/1/-1 3/-2/-1 -1/-1/2\n");
    ASSERT_EQ(absolute.triangle_count, 2);
    ASSERT_EQ(relative.triangle_count, 2);
    EXPECT_EQ(relative.indices, absolute.indices);
    ASSERT_EQ(relative.vertices.size(), absolute.vertices.size());
    for (std::size_t i = 0; i < absolute.vertices.size(); ++i)
        EXPECT_EQ(std::memcmp(&relative.vertices[i], &absolute.vertices[i], sizeof(MeshVertex)), 0) << i;
    // The second face's normal is the one read after the first face: (0, 0, -1).
    EXPECT_FLOAT_EQ(relative.vertices[triangle(relative, 1)[0]].normal[2], -1.0f);
    EXPECT_FLOAT_EQ(relative.vertices[triangle(relative, 1)[0]].texcoord[0], 0.0f);
}

TEST(MeshRead, ObjectsMaterialsAndBatches) {
    const Mesh plain = read(kSquare + "o a\nf 1 2 3\nusemtl nothing\nf 1 3 4\no b\nf 2 3 4\n");
    EXPECT_EQ(plain.object_boundaries, (std::vector<int>{0, 2, 3}));
    ASSERT_EQ(plain.material_count, 1);
    EXPECT_EQ(plain.materials[0].name, "default");
    EXPECT_FLOAT_EQ(plain.materials[0].ambient[0], 0.2f);
    EXPECT_FLOAT_EQ(plain.materials[0].diffuse[3], 1.0f);
    EXPECT_FLOAT_EQ(plain.materials[0].sort_key, 1.0f);
    EXPECT_EQ(plain.batch_count, 1);
    EXPECT_EQ(plain.triangle_materials, (std::vector<int>{0, 0, 0}));

    const Mesh library = read("mtllib a.mtl\nmtllib b.mtl\n" + kSquare + "usemtl x\nf 1 2 3\n");
    ASSERT_EQ(library.material_count, 2);
    EXPECT_TRUE(library.materials[0].name.empty());
    EXPECT_EQ(library.materials[0].sort_key, 0.0f);
    EXPECT_EQ(library.triangle_materials, (std::vector<int>{0}));

    const Mesh none = read(kSquare + "f 1 2 3\n");
    EXPECT_EQ(none.object_boundaries, (std::vector<int>{1}));
}

// Each object's box holds the corners of its own triangles only: not a position no triangle of
// it names, not the other objects'.
TEST(MeshRead, ObjectBoxesHoldTheirOwnTrianglesCorners) {
    const Mesh mesh = read(kSquare + "v 5 -2 3\nv 9 9 9\no a\nf 1 2 3\nf 1 3 4\no b\nf 2 3 5\no empty\n");
    ASSERT_EQ(mesh.object_boundaries, (std::vector<int>{0, 2, 3, 3}));
    const Box a = mesh.object_box(0), b = mesh.object_box(1);
    EXPECT_EQ(a.low, (Vector3{0, 0, 0}));
    EXPECT_EQ(a.high, (Vector3{1, 1, 0}));
    EXPECT_EQ(b.low, (Vector3{1, -2, 0}));
    EXPECT_EQ(b.high, (Vector3{5, 1, 3}));
    EXPECT_TRUE(mesh.object_box(2).empty());
    EXPECT_TRUE(mesh.object_box(3).empty());
    EXPECT_TRUE(mesh.object_box(-1).empty());
}

TEST(MeshRead, AlternateFileNegatesThePositionsTheGeneratorPicks) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "v " + std::to_string(i + 1) + " 2 3\n";
    const Mesh first = read(text, true);
    seed_random(999);  // whatever the generator held before, each load reseeds it
    const Mesh second = read(text, true);
    RandomGenerator expected(123456);
    for (int i = 0; i < 40; ++i) {
        const float sign = expected.draw() % 2 == 0 ? -1.0f : 1.0f;
        EXPECT_EQ(first.raw_positions[3 * i], sign * (i + 1)) << i;
        EXPECT_EQ(first.raw_positions[3 * i + 2], sign * 3.0f) << i;
    }
    EXPECT_EQ(first.raw_positions, second.raw_positions);
    EXPECT_EQ(read(text, false).raw_positions[0], 1.0f);
}

TEST(MeshRead, BoundingBoxAndRecomputedNormals) {
    // Triangle 2 is degenerate: its lone vertex (position 5) gets a zero normal, not NaN.
    const Mesh mesh = read("v 0 0 0\nv 2 0 0\nv 0 4 -1\nv 1 1 1\nv 9 9 9\nf 1 2 3\nf 4 4 5\n", false, true);
    EXPECT_FLOAT_EQ(mesh.bbox_min[2], -1.0f);
    EXPECT_FLOAT_EQ(mesh.bbox_max[0], 9.0f);
    EXPECT_FLOAT_EQ(mesh.bbox_centre[1], 4.5f);
    EXPECT_FLOAT_EQ(mesh.bbox_largest, 10.0f);
    EXPECT_TRUE(mesh.has_normals);
    const MeshVertex& a = mesh.vertices[0];
    EXPECT_NEAR(std::sqrt(a.normal[0] * a.normal[0] + a.normal[1] * a.normal[1] + a.normal[2] * a.normal[2]),
                1.0f, 1e-6f);
    for (int i = 3; i < 5; ++i)
        for (float n : mesh.vertices[i].normal) EXPECT_EQ(n, 0.0f);
}

TEST(MeshRead, ReachIsTheFarthestBoxCornerFromTheOrigin) {
    // Box from (-3, 0, -1) to (1, 2, 2): the farthest corner is (-3, 2, 2), though no vertex
    // lies there.
    const Mesh mesh = read("v -3 0 0\nv 1 2 0\nv 0 1 2\nv 0 0 -1\nf 1 2 3\nf 2 3 4\n");
    EXPECT_FLOAT_EQ(mesh.reach(), std::sqrt(17.0f));
    // Turned any way about the origin, no vertex leaves the reach.
    for (const MeshVertex& v : mesh.vertices)
        EXPECT_LE(std::hypot(v.position[0], v.position[1], v.position[2]), mesh.reach());
}

TEST(MeshRead, NumbersAreTheCorrectlyRoundedFloats) {
    // Short decimals take the reader's own path, the rest from_chars; both must give what a C
    // library's strtof gives, including values that sit next to a halfway point between floats.
    RandomGenerator random(2024);
    std::vector<std::string> words = {"16777217",
                                      "0.1",
                                      "-0.0",
                                      "+2.5",
                                      "3.4028235e38",
                                      "1e-45",
                                      "0.000000059604644775390625",
                                      "5.",
                                      ".5",
                                      "1e",
                                      "nan",
                                      "-inf",
                                      "123456789012345678",
                                      "0.30000001192092896"};
    for (int i = 0; i < 3000; ++i) {
        std::string w = std::to_string(random.draw() * 32768 + random.draw());
        w.insert(w.size() - std::min<std::size_t>(w.size(), random.draw() % 9), ".");
        if (random.draw() % 2) w = "-" + w;
        words.push_back(w);
    }
    std::string text;
    for (const std::string& w : words) text += "v " + w + " 0 0\n";
    const Mesh mesh = read(text);
    ASSERT_EQ(mesh.position_count, static_cast<int>(words.size()));
    for (std::size_t i = 0; i < words.size(); ++i) {
        const float expected = std::strtof(words[i].c_str(), nullptr);
        const float got = mesh.raw_positions[3 * i];
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(got)) << words[i];
        else
            EXPECT_EQ(std::memcmp(&got, &expected, 4), 0) << words[i] << " " << got << " " << expected;
    }
}

TEST(MeshRead, LoadPicksTheAlternateFileAndKeepsTheDirectory) {
    Mesh mesh;
    EXPECT_FALSE(mesh.load("/nonexistent//dir//mesh.obj", false));
    EXPECT_FALSE(mesh.loaded);
    const std::string path = testing::TempDir() + "mesh_load_test.obj";
    std::FILE* f = std::fopen((path + "t").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("v 1 1 1\nv 2 2 2\nv 3 3 3\nf 1 2 3\n", f);
    std::fclose(f);
    ASSERT_TRUE(mesh.load(path, false));
    EXPECT_EQ(mesh.triangle_count, 1);
    EXPECT_EQ(mesh.directory, path.substr(0, path.find_last_of('/') + 1));
    Mesh plain;
    plain.alternate_file = false;
    EXPECT_FALSE(plain.load(path, false));                // only the "t" file exists
    EXPECT_FALSE(plain.load(testing::TempDir(), false));  // a directory is not a mesh
}

// The hashed de-duplication against the rule as written: a linear scan of the unique vertices
// made from the same position, comparing all 60 bytes.
TEST(MeshRead, HashedDeduplicationMatchesTheListScan) {
    RandomGenerator random(77);
    std::string text;
    const int positions = 30, texcoords = 5, normals = 4;
    for (int i = 0; i < positions; ++i)
        text += "v " + std::to_string(random.draw() % 7) + " 1 " + std::to_string(i % 3) + "\n";
    for (int i = 0; i < texcoords; ++i) text += "vt 0." + std::to_string(i % 3) + " 0\n";
    for (int i = 0; i < normals; ++i) text += "vn 0 " + std::to_string(i % 2) + " 1\n";
    struct Corner {
        int p, t, n;
    };
    std::vector<Corner> corners;
    for (int face = 0; face < 400; ++face) {
        text += "f";
        for (int k = 0; k < 3; ++k) {
            Corner c{random.draw() % positions, random.draw() % texcoords, random.draw() % normals};
            corners.push_back(c);
            text +=
                " " + std::to_string(c.p + 1) + "/" + std::to_string(c.t + 1) + "/" + std::to_string(c.n + 1);
        }
        text += "\n";
    }
    const Mesh mesh = read(text);

    std::vector<MeshVertex> unique;
    std::vector<int> from_position;
    std::vector<uint32_t> indices;
    for (const Corner& c : corners) {
        MeshVertex v{};
        std::memcpy(v.position, &mesh.raw_positions[3 * c.p], 12);
        std::memcpy(v.texcoord, &mesh.raw_texcoords[2 * c.t], 8);
        std::memcpy(v.normal, &mesh.raw_normals[3 * c.n], 12);
        uint32_t found = static_cast<uint32_t>(unique.size());
        for (uint32_t i = 0; i < unique.size(); ++i)
            if (from_position[i] == c.p && std::memcmp(&unique[i], &v, sizeof v) == 0) found = i;
        if (found == unique.size()) {
            unique.push_back(v);
            from_position.push_back(c.p);
        }
        indices.push_back(found);
    }
    EXPECT_EQ(mesh.indices, indices);
    ASSERT_EQ(mesh.vertices.size(), unique.size());
    EXPECT_EQ(std::memcmp(mesh.vertices.data(), unique.data(), unique.size() * sizeof(MeshVertex)), 0);
}
