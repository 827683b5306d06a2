// The modelling kit's contracts that every model relies on.
#include "tools/assets/meshes/model_kit.h"
#include "tools/assets/meshes/obj_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Signed volume of a closed shape: positive when its faces wind outward.
double volume(const Shape& s) {
    double v = 0;
    for (const Polygon& p : s.polygons)
        for (int k = 1; k + 1 < p.count; ++k)
            v += dot(s.vertices[p.corners[0]].position,
                     cross(s.vertices[p.corners[k]].position, s.vertices[p.corners[k + 1]].position)) /
                 6;
    return v;
}

}  // namespace

TEST(ModelKit, ClosedPrimitivesEncloseTheirVolumeFacingOut) {
    EXPECT_NEAR(volume(box({-1, -1, -1}, {1, 2, 3})), 2 * 3 * 4, 1e-9);
    EXPECT_NEAR(volume(sphere(1, 48, 24)), 4.0 / 3 * M_PI, 0.03);
    EXPECT_NEAR(volume(cylinder(1, 0, 2, 64)), 2 * M_PI, 0.02);
    EXPECT_NEAR(volume(torus(2, 0.5, 64, 32)), 2 * M_PI * M_PI * 2 * 0.25, 0.1);  // facets cut a little off
    // A clockwise outline is turned round, so the solid still faces out.
    std::vector<Vec2> square = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    EXPECT_NEAR(volume(extrude(square, 0, 2)), 2, 1e-9);
    // A concave outline (an L) triangulates without overlap.
    std::vector<Vec2> ell = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
    EXPECT_NEAR(volume(extrude(ell, 0, 1)), 3, 1e-9);
    EXPECT_NEAR(volume(tube({{0, 0, 0}, {0, 1, 0}, {0, 2, 0}}, 1.0, 64)), 2 * M_PI, 0.02);
    EXPECT_NEAR(volume(limb({0, 0, 0}, {3, 4, 0}, 1, 1, 48)), 5 * M_PI + 4.0 / 3 * M_PI,
                0.5);  // coarse domes
}

TEST(ModelKit, MirroringKeepsFacesOutwardAndNormalsTrue) {
    Shape s = box({0, 0, 0}, {1, 2, 3});
    s.scale({1, -1, 1});
    EXPECT_NEAR(volume(s), 6, 1e-9);
    for (const Polygon& p : s.polygons) {
        const Vertex& a = s.vertices[p.corners[0]];
        Vec3 face = cross(s.vertices[p.corners[1]].position - a.position,
                          s.vertices[p.corners[2]].position - a.position);
        EXPECT_GT(dot(face, a.normal), 0);
    }
    // Reversing the winding alone (for a draw that mirrors) turns the volume inside out and
    // leaves the normals.
    Vec3 before = s.vertices[0].normal;
    s.reverse_winding();
    EXPECT_NEAR(volume(s), -6, 1e-9);
    EXPECT_DOUBLE_EQ(s.vertices[0].normal.y, before.y);
}

TEST(ModelKit, YOntoTurnsTheYAxisOntoAnyDirection) {
    for (Vec3 d : {Vec3{1, 0, 0}, Vec3{0, -1, 0}, Vec3{0, 1, 0}, Vec3{0.3, -0.4, 0.8}}) {
        Vec3 got = Affine::y_onto(d).direction({0, 1, 0});
        Vec3 want = normalised(d);
        EXPECT_NEAR(got.x, want.x, 1e-12);
        EXPECT_NEAR(got.y, want.y, 1e-12);
        EXPECT_NEAR(got.z, want.z, 1e-12);
        EXPECT_NEAR(Affine::y_onto(d).determinant(), 1, 1e-12);
    }
}

TEST(ObjWriter, WritesOneObjectPerGroupAndFacesInTheFullForm) {
    Model model;
    model.add("first", box({0, 0, 0}, {1, 1, 1}));
    model.add("second", cone(1, 0, 1, 5));
    std::string text = write_obj(model, "two things", false);
    EXPECT_EQ(text.rfind("# two things\n", 0), 0u);
    EXPECT_NE(text.find("\no first\n"), std::string::npos);
    EXPECT_NE(text.find("\no second\n"), std::string::npos);
    // Indices run on across objects: the cone's first face refers past the box's 24 vertices.
    size_t second = text.find("\no second\n");
    size_t face = text.find("\nf ", second);
    EXPECT_EQ(text.compare(face, 12, "\nf 25/25/25 "), 0);
    EXPECT_EQ(text.find("\nf 1 "), std::string::npos);
}
