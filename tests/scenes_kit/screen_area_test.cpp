// The pixels a quad covers from a camera, for a 640 x 360 area seen through a 60° perspective
// looking down -z from the origin: quads in front, across the near plane, behind and aside.
#include "scenes/kit/screen_area.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int width = 640, height = 360;

// The matrix gluPerspective makes.
Matrix4 perspective(float fovy_degrees, float aspect, float near, float far) {
    const float f = 1.0f / std::tan(fovy_degrees * 3.14159265f / 360.0f);
    Matrix4 m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (far + near) / (near - far);
    m[11] = -1.0f;
    m[14] = 2.0f * far * near / (near - far);
    return m;
}

const Matrix4 lens = perspective(60.0f, 640.0f / 360.0f, 0.1f, 100.0f);

// A square of side 2·half facing the camera at distance d, centred on (cx, cy).
std::array<Vector3, 4> facing_square(float cx, float cy, float d, float half) {
    return {Vector3{cx - half, cy - half, -d}, Vector3{cx + half, cy - half, -d}, Vector3{cx + half, cy + half, -d},
            Vector3{cx - half, cy + half, -d}};
}

TEST(ScreenArea, AQuadInFrontCoversItsProjectionGrownByTheMargin) {
    // At distance √3 the view is 2 units high: a square of side 1 centred covers half the height.
    const float d = std::sqrt(3.0f);
    const PixelRect r = covered_pixels(facing_square(0, 0, d, 0.5f), identity_matrix(), lens, width, height, 0);
    EXPECT_NEAR(r.height, 180, 1);
    EXPECT_NEAR(r.width, 180, 1);
    EXPECT_NEAR(r.x + r.width / 2, 320, 1);
    EXPECT_NEAR(r.y + r.height / 2, 180, 1);

    const PixelRect grown = covered_pixels(facing_square(0, 0, d, 0.5f), identity_matrix(), lens, width, height, 4);
    EXPECT_EQ(grown.x, r.x - 4);
    EXPECT_EQ(grown.width, r.width + 8);

    // Moved by the modelview: one unit up puts it in the top half, clipped at the edge.
    const PixelRect up =
        covered_pixels(facing_square(0, 0, d, 0.5f), translation_matrix(0, 1, 0), lens, width, height, 2);
    EXPECT_EQ(up.y + up.height, height);
    EXPECT_NEAR(up.y, 270 - 2, 1);
}

TEST(ScreenArea, AGroundReachingBehindTheCameraCoversEverythingBelowItsFarEdge) {
    // The plane one unit below the eye, from 1 unit behind to 50 ahead, 100 wide: it fills the
    // bottom of the picture up to just below the middle row (the horizon) and the full width.
    const std::array<Vector3, 4> ground = {Vector3{-50, -1, 1}, Vector3{50, -1, 1}, Vector3{50, -1, -50},
                                           Vector3{-50, -1, -50}};
    const PixelRect r = covered_pixels(ground, identity_matrix(), lens, width, height, 0);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.width, width);
    EXPECT_LT(r.height, height / 2);
    EXPECT_GT(r.height, height / 2 - 10);
}

TEST(ScreenArea, QuadsThatCannotBeSeenCoverNothing) {
    const float d = 2.0f;
    EXPECT_TRUE(covered_pixels(facing_square(0, 0, -d, 0.5f), identity_matrix(), lens, width, height, 3).empty())
        << "behind the camera";
    EXPECT_TRUE(covered_pixels(facing_square(40, 0, d, 0.5f), identity_matrix(), lens, width, height, 3).empty())
        << "far to the side";
    // A margin does not reach back into the area from a quad well outside it.
    EXPECT_TRUE(covered_pixels(facing_square(0, 5, d, 0.5f), identity_matrix(), lens, width, height, 3).empty());
}

TEST(ScreenArea, IntersectionsKeepTheSharedPixelsOnly) {
    const PixelRect a{10, 20, 100, 50}, b{60, 0, 100, 30};
    const PixelRect both = intersection(a, b);
    EXPECT_EQ(both.x, 60);
    EXPECT_EQ(both.y, 20);
    EXPECT_EQ(both.width, 50);
    EXPECT_EQ(both.height, 10);
    EXPECT_TRUE(intersection(a, PixelRect{0, 0, 1, 1}).empty()) << "the warm-up's one pixel, outside";
}

}  // namespace
