// The generated meshes read back through the show's own mesh loader.
#include "render/mesh.h"
#include "tests/assets_meshes/generated_pack.h"
#include "tools/assets/meshes/mesh_catalogue.h"
#include "tools/assets/meshes/obj_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

namespace {

std::vector<Vertex> all_vertices(const Model& model) {
    std::vector<Vertex> out;
    for (const auto& o : model.objects)
        out.insert(out.end(), o.shape.vertices.begin(), o.shape.vertices.end());
    return out;
}

Mesh read_mesh(const std::string& text, bool alternate) {
    Mesh mesh;
    mesh.alternate_file = alternate;
    mesh.read(text, false);
    return mesh;
}

// The positions of object k's triangles' corners, as the loader built them.
std::vector<std::array<float, 3>> object_positions(const Mesh& mesh, int k) {
    std::vector<std::array<float, 3>> out;
    for (int t = mesh.object_boundaries[k]; t < mesh.object_boundaries[k + 1]; ++t)
        for (int c = 0; c < 3; ++c) {
            const MeshVertex& v = mesh.vertices[mesh.indices[3 * t + c]];
            out.push_back({v.position[0], v.position[1], v.position[2]});
        }
    return out;
}

// Loads a generated mesh by the name the scenes use (read from its alternate file).
Mesh load_generated(const std::string& name) {
    Mesh mesh;
    EXPECT_TRUE(mesh.load((generated_pack() / name).string(), false)) << name;
    return mesh;
}

}  // namespace

TEST(MeshFiles, AlternateFormLoadsAsModelledAndPlainFormToo) {
    for (const MeshFile& file : mesh_catalogue()) {
        SCOPED_TRACE(file.name);
        Model model = file.build();
        std::vector<Vertex> expected = all_vertices(model);
        Mesh alternate = read_mesh(write_obj(model, "", true), true);
        Mesh plain = read_mesh(write_obj(model, "", false), false);
        ASSERT_EQ(alternate.position_count, static_cast<int>(expected.size()));
        ASSERT_EQ(plain.position_count, static_cast<int>(expected.size()));
        ASSERT_EQ(alternate.triangle_count, model.triangle_count());
        double worst = 0, worst_normal = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            const Vec3 p = expected[i].position, n = expected[i].normal;
            double scale = std::max({1.0, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
            for (const Mesh* mesh : {&alternate, &plain}) {
                const float* got = &mesh->raw_positions[3 * i];
                worst = std::max({worst, std::fabs(got[0] - p.x) / scale, std::fabs(got[1] - p.y) / scale,
                                  std::fabs(got[2] - p.z) / scale});
                const float* normal = &mesh->raw_normals[3 * i];
                worst_normal = std::max({worst_normal, std::fabs(normal[0] - n.x), std::fabs(normal[1] - n.y),
                                         std::fabs(normal[2] - n.z)});
            }
        }
        EXPECT_LT(worst, 1e-5);
        EXPECT_LT(worst_normal, 1e-3);
        // The pattern is real: read without the flag, about half the positions come out negated.
        if (expected.size() >= 64) {
            Mesh unflagged = read_mesh(write_obj(model, "", true), false);
            int flipped = 0, nonzero = 0;
            for (size_t i = 0; i < expected.size(); ++i) {
                const Vec3 p = expected[i].position;
                if (length(p) < 1e-3) continue;
                ++nonzero;
                const float* got = &unflagged.raw_positions[3 * i];
                if (std::fabs(got[0] + p.x) + std::fabs(got[1] + p.y) + std::fabs(got[2] + p.z) <
                    1e-3 * std::max(1.0, length(p)))
                    ++flipped;
            }
            EXPECT_GT(flipped, nonzero / 3);
            EXPECT_LT(flipped, nonzero * 2 / 3);
        }
    }
}

TEST(MeshFiles, EverySceneMeshHasTheObjectsTheScenesDraw) {
    // Objects the scenes index by number (at least this many), everything else at least one.
    const std::map<std::string, int> indexed = {
        {"human4", 19},   {"human4coarse", 19}, {"chess", 41},      {"tank2", 10},     {"ant", 9},
        {"antcoarse", 9}, {"labyrinth", 2},     {"pavement", 2},    {"tree3", 2},      {"kolones", 2},
        {"faces", 4},     {"bait3", 2},         {"background2", 3}, {"fishbait22", 5}, {"obj1", 3},
        {"Asm1", 2},      {"Asm2", 2},          {"bighouse2", 2},   {"vehicle1", 2},   {"vehicle2", 2},
        {"vehicle3", 2},  {"wall", 1}};
    for (const MeshFile& file : mesh_catalogue()) {
        std::string stem = std::string(file.name).substr(11);
        stem = stem.substr(0, stem.size() - 4);
        SCOPED_TRACE(stem);
        Mesh mesh = load_generated(file.name);
        ASSERT_TRUE(mesh.loaded);
        int objects = static_cast<int>(mesh.object_boundaries.size()) - 1;
        auto it = indexed.find(stem);
        EXPECT_GE(objects, it == indexed.end() ? 1 : it->second);
        for (int k = 0; k < objects; ++k)
            EXPECT_GT(mesh.object_boundaries[k + 1], mesh.object_boundaries[k]) << "object " << k;
        EXPECT_TRUE(mesh.has_normals && mesh.has_texcoords);
        for (int a = 0; a < 3; ++a)
            EXPECT_TRUE(std::isfinite(mesh.bbox_extent[a]) && mesh.bbox_extent[a] >= 0);
    }
    // The opening scene reads the bait fish with the flag cleared: the plain file is the same
    // mesh.
    Mesh plain;
    plain.alternate_file = false;
    ASSERT_TRUE(plain.load((generated_pack() / "neomeshes//fishbait22.obj").string(), false));
    Mesh alternate = load_generated("neomeshes//fishbait22.obj");
    EXPECT_EQ(plain.raw_positions, alternate.raw_positions);
}

TEST(MeshFiles, FacesWindCounterClockwiseAboutTheirNormals) {
    // Shading and culling agree only if each triangle's winding matches its vertex normals. The
    // skins are the exception by design: the figure draws them through a y flip, which reverses it.
    for (const MeshFile& file : mesh_catalogue()) {
        SCOPED_TRACE(file.name);
        Mesh mesh = load_generated(file.name);
        const bool mirrored = std::string(file.name) == "neomeshes//human4.obj" ||
                              std::string(file.name) == "neomeshes//human4coarse.obj";
        int agree = 0, counted = 0;
        for (int t = 0; t < mesh.triangle_count; ++t) {
            const MeshVertex* v[3];
            for (int c = 0; c < 3; ++c) v[c] = &mesh.vertices[mesh.indices[3 * t + c]];
            Vec3 p[3], n{};
            for (int c = 0; c < 3; ++c) {
                p[c] = {v[c]->position[0], v[c]->position[1], v[c]->position[2]};
                n = n + Vec3{v[c]->normal[0], v[c]->normal[1], v[c]->normal[2]};
            }
            Vec3 face = cross(p[1] - p[0], p[2] - p[0]);
            if (length(face) < 1e-9 * std::max(1.0, dot(p[0], p[0]))) continue;
            ++counted;
            if ((dot(face, n) > 0) != mirrored) ++agree;
        }
        ASSERT_GT(counted, 0);
        EXPECT_GT(agree, counted * 98 / 100) << agree << " of " << counted;
    }
}

TEST(MeshFiles, TankWheelsTurnAboutTheToysSceneAxles) {
    Mesh tank = load_generated("neomeshes//tank2.obj");
    const int wheels[6] = {0, 1, 2, 3, 4, 8};
    const double x[6] = {-5.4, -3.55, -1.61, 0.3, 2.2, 4.2}, y[6] = {0.89, 0.71, 0.7, 0.7, 0.7, 0.7};
    for (int i = 0; i < 6; ++i) {
        float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
        for (const auto& p : object_positions(tank, wheels[i]))
            for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], p[a]), hi[a] = std::max(hi[a], p[a]);
        EXPECT_NEAR((lo[0] + hi[0]) / 2, x[i], 0.02) << "wheel group " << wheels[i];
        EXPECT_NEAR((lo[1] + hi[1]) / 2, y[i], 0.02) << "wheel group " << wheels[i];
        EXPECT_NEAR((lo[2] + hi[2]) / 2, 0.0, 0.02) << "both sides on one axle";
    }
    // The hull (9) sits above the wheels, the turret (7) on top of it, centred on the y axis.
    auto hull = object_positions(tank, 9), turret = object_positions(tank, 7);
    auto lowest = [](const auto& ps) {
        float m = 1e9f;
        for (auto& p : ps) m = std::min(m, p[1]);
        return m;
    };
    EXPECT_GT(lowest(hull), 0.8f);
    EXPECT_GT(lowest(turret), lowest(hull));
}

TEST(MeshFiles, WallFacesAreQuadsAGoodShareOfThemNearTheOrigin) {
    Mesh wall = load_generated("neomeshes//wall.obj");
    ASSERT_EQ(wall.triangle_count, 2 * 1408);
    int near = 0;
    for (int i = 0; i < 1408; ++i) {
        // Face i is the fan (1 2 3) (1 3 4): triangles 2i and 2i + 1 share corners 1 and 3.
        const uint32_t* a = &wall.indices[6 * i];
        const uint32_t* b = &wall.indices[6 * i + 3];
        ASSERT_EQ(a[0], b[0]);
        ASSERT_EQ(a[2], b[1]);
        uint32_t corners[4] = {a[0], a[1], a[2], b[2]};
        float centre[3] = {};
        for (uint32_t c : corners)
            for (int k = 0; k < 3; ++k) centre[k] += wall.vertices[c].position[k] / 4;
        if (std::sqrt(centre[0] * centre[0] + centre[1] * centre[1] + centre[2] * centre[2]) < 0.91f) ++near;
    }
    EXPECT_GT(near, 1408 / 4);
    EXPECT_LT(near, 1408 * 3 / 4);  // and the rest of the wall stays standing
}

TEST(MeshFiles, AntPartsLieAroundTheHingesTheyAreTurnedAbout) {
    Mesh ant = load_generated("neomeshes//ant.obj");
    auto centre_z = [&](int k) {
        float lo = 1e9f, hi = -1e9f;
        for (const auto& p : object_positions(ant, k)) lo = std::min(lo, p[2]), hi = std::max(hi, p[2]);
        return (lo + hi) / 2;
    };
    EXPECT_LT(centre_z(0), -0.18f);  // the head beyond its neck hinge at z = -0.18
    EXPECT_GT(centre_z(5), 0.1f);    // the gaster beyond its hinge at z = 0.1
    // Each leg's root lies on its hinge, on its own side.
    const int legs[6] = {2, 3, 4, 6, 7, 8};
    const float hinge[6] = {-0.09f, -0.05f, 0.0f, -0.09f, -0.05f, 0.0f};
    for (int i = 0; i < 6; ++i) {
        float best = 1e9f, side = 0;
        for (const auto& p : object_positions(ant, legs[i])) {
            float d = std::hypot(std::fabs(p[0]) - 0.022f, p[1], p[2] - hinge[i]);
            if (d < best) best = d, side = p[0];
        }
        EXPECT_LT(best, 0.01f) << "leg " << legs[i];
        EXPECT_EQ(side > 0, i < 3) << "leg " << legs[i];
    }
}

TEST(MeshFiles, InspectionToolReadsTheAlternateFiles) {
    for (const MeshFile& file : mesh_catalogue()) {
        const char* name = file.name;
        std::string command =
            std::string(BRINEFALL_TOOL) + " obj --alternate '" + (generated_pack() / name).string() + "'";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out;
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
        EXPECT_EQ(pclose(pipe), 0) << out;
        Mesh mesh = load_generated(name);
        EXPECT_NE(out.find("\"triangles\": " + std::to_string(mesh.triangle_count)), std::string::npos)
            << out;
    }
}

TEST(MeshFiles, EachCoarseMeshIsTheFullOnesShapeWithFewerFacets) {
    // Drawn in place of the full mesh where a figure or an ant is small, each part must cover
    // the same ground: its box within a tenth of the full part's size, with well under half the
    // triangles over the whole mesh.
    for (const auto& [full_name, coarse_name] :
         {std::pair{"neomeshes//human4.obj", "neomeshes//human4coarse.obj"},
          std::pair{"neomeshes//ant.obj", "neomeshes//antcoarse.obj"}}) {
        SCOPED_TRACE(coarse_name);
        const Mesh full = load_generated(full_name);
        const Mesh coarse = load_generated(coarse_name);
        ASSERT_EQ(coarse.object_boxes.size(), full.object_boxes.size());
        EXPECT_LT(coarse.triangle_count, full.triangle_count / 2);
        for (size_t k = 0; k < full.object_boxes.size(); ++k) {
            SCOPED_TRACE(k);
            const Box& f = full.object_boxes[k];
            const Box& c = coarse.object_boxes[k];
            const float size = length(f.high - f.low);
            EXPECT_LT(length(c.low - f.low), size / 10);
            EXPECT_LT(length(c.high - f.high), size / 10);
        }
    }
}
