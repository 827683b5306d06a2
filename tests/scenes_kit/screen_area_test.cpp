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
    return {Vector3{cx - half, cy - half, -d}, Vector3{cx + half, cy - half, -d},
            Vector3{cx + half, cy + half, -d}, Vector3{cx - half, cy + half, -d}};
}

TEST(ScreenArea, AQuadInFrontCoversItsProjectionGrownByTheMargin) {
    // At distance √3 the view is 2 units high: a square of side 1 centred covers half the height.
    const float d = std::sqrt(3.0f);
    const PixelRect r =
        covered_pixels(facing_square(0, 0, d, 0.5f), identity_matrix(), lens, width, height, 0);
    EXPECT_NEAR(r.height, 180, 1);
    EXPECT_NEAR(r.width, 180, 1);
    EXPECT_NEAR(r.x + r.width / 2, 320, 1);
    EXPECT_NEAR(r.y + r.height / 2, 180, 1);

    const PixelRect grown =
        covered_pixels(facing_square(0, 0, d, 0.5f), identity_matrix(), lens, width, height, 4);
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
    EXPECT_TRUE(
        covered_pixels(facing_square(0, 0, -d, 0.5f), identity_matrix(), lens, width, height, 3).empty())
        << "behind the camera";
    EXPECT_TRUE(
        covered_pixels(facing_square(40, 0, d, 0.5f), identity_matrix(), lens, width, height, 3).empty())
        << "far to the side";
    // A margin does not reach back into the area from a quad well outside it.
    EXPECT_TRUE(
        covered_pixels(facing_square(0, 5, d, 0.5f), identity_matrix(), lens, width, height, 3).empty());
}

TEST(ScreenArea, BoxesOutOfViewOnlyWhenWhollyBeyondOneSide) {
    const auto out = [](Vector3 low, Vector3 high, const Matrix4& modelview = identity_matrix()) {
        return box_out_of_view(low, high, modelview, lens);
    };
    EXPECT_FALSE(out({-0.5f, -0.5f, -3.0f}, {0.5f, 0.5f, -2.0f})) << "ahead";
    EXPECT_FALSE(out({-1.0f, -1.0f, -1.0f}, {1.0f, 1.0f, 1.0f})) << "round the camera";
    EXPECT_FALSE(out({3.0f, -0.5f, -10.0f}, {30.0f, 0.5f, -2.0f})) << "reaching into the view from the side";
    EXPECT_FALSE(out({-0.5f, -0.5f, -200.0f}, {0.5f, 0.5f, -50.0f})) << "across the far plane";
    EXPECT_TRUE(out({-0.5f, -0.5f, 1.0f}, {0.5f, 0.5f, 3.0f})) << "behind";
    EXPECT_TRUE(out({20.0f, -0.5f, -3.0f}, {30.0f, 0.5f, -2.0f})) << "to the right";
    EXPECT_TRUE(out({-0.5f, 5.0f, -3.0f}, {0.5f, 6.0f, -2.0f})) << "above";
    EXPECT_TRUE(out({-0.5f, -0.5f, -300.0f}, {0.5f, 0.5f, -150.0f})) << "past the far plane";
    // The modelview moves the camera: turned round (180° about y), the box behind is ahead.
    EXPECT_FALSE(out({-0.5f, -0.5f, 1.0f}, {0.5f, 0.5f, 3.0f}, rotation_y(180.0f)));
    EXPECT_TRUE(out({-0.5f, -0.5f, -3.0f}, {0.5f, 0.5f, -2.0f}, rotation_y(180.0f)));
}

// The camera at the origin looks down −z with the floor 2 below it: a lamp's shadow counts as
// seen when any point the lamp's rays reach behind the box, down to the floor, lies in the view.
TEST(ScreenArea, ABoxSpansThePixelsOfItsLargerSide) {
    // At distance √3 the view is 2 units high: a unit cube's front face covers 180 pixels, its
    // nearer back corners a little more; twice as far, about half.
    const float d = std::sqrt(3.0f);
    const float near_cube = pixels_across({-0.5f, -0.5f, -d - 0.5f}, {0.5f, 0.5f, -d + 0.5f},
                                          identity_matrix(), lens, width, height);
    EXPECT_GT(near_cube, 180.0f);
    EXPECT_LT(near_cube, 180.0f * d / (d - 0.5f) + 1.0f);
    const float flat =
        pixels_across({-0.5f, -0.25f, -2 * d}, {0.5f, 0.25f, -2 * d}, identity_matrix(), lens, width, height);
    EXPECT_NEAR(flat, 90.0f, 0.5f);  // the wider side counts
    // Moved aside by the modelview: the same span, wherever it lands.
    EXPECT_NEAR(pixels_across({-0.5f, -0.25f, -2 * d}, {0.5f, 0.25f, -2 * d}, translation_matrix(5, 0, 0),
                              lens, width, height),
                90.0f, 0.5f);
    // A box reaching behind the eye is as large as can be.
    EXPECT_TRUE(std::isinf(
        pixels_across({-0.5f, -0.5f, -1}, {0.5f, 0.5f, 1}, identity_matrix(), lens, width, height)));
}

TEST(ScreenArea, AShadowIsOutOfViewOnlyWhenTheBoxAndTheRaysBehindItToTheFloorAre) {
    const auto out = [](Vector3 low, Vector3 high, Vector3 lamp) {
        return shadow_out_of_view(low, high, lamp, -2.0f, identity_matrix(), lens);
    };
    const Vector3 ahead_lamp{0.0f, 10.0f, -20.0f}, behind_lamp{0.0f, 10.0f, 20.0f};
    EXPECT_FALSE(out({-0.5f, -2.0f, -5.0f}, {0.5f, -1.0f, -4.0f}, ahead_lamp)) << "the box in view";
    EXPECT_TRUE(out({-0.5f, -2.0f, 2.0f}, {0.5f, -1.0f, 3.0f}, ahead_lamp))
        << "behind the camera, its shadow thrown further back";
    // Above and behind the camera, out of view itself, with a lamp behind it: the rays come
    // down ahead of the camera, about 6 units in front of it.
    ASSERT_TRUE(box_out_of_view({-0.5f, 2.0f, 2.0f}, {0.5f, 3.0f, 3.0f}, identity_matrix(), lens));
    EXPECT_FALSE(out({-0.5f, 2.0f, 2.0f}, {0.5f, 3.0f, 3.0f}, behind_lamp)) << "its shadow falls into view";
    EXPECT_FALSE(out({-0.5f, 2.0f, 2.0f}, {0.5f, 3.0f, 3.0f}, {0.0f, 2.5f, -20.0f}))
        << "a lamp not above the whole box throws rays that never reach the floor";
    EXPECT_TRUE(out({-0.5f, -4.0f, -5.0f}, {0.5f, -3.0f, -4.0f}, ahead_lamp))
        << "wholly below the floor, in view, it shades nothing";
    EXPECT_TRUE(out({-0.5f, -30.0f, 2.0f}, {0.5f, -1.0f, 3.0f}, ahead_lamp))
        << "a box reaching below the floor counts with its part above it";
}

TEST(ScreenArea, TheViewpointIsTheCameraInTheModelviewsOwnCoordinates) {
    // Placed, turned, scaled and mirrored as a scene draws a piece of its set in a mirrored pass.
    Matrix4 modelview = multiply(translation_matrix(1.0f, 2.0f, -5.0f), rotation_y(30.0f));
    modelview = multiply(modelview, Matrix4{2.5f, 0, 0, 0, 0, -2.5f, 0, 0, 0, 0, 2.5f, 0, 0, 0, 0, 1});
    const auto eye_space = [&](const Viewpoint& e) {
        std::array<float, 4> r{};
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k) r[row] += modelview[k * 4 + row] * e[k];
        return r;
    };
    // A perspective lens sees from the eye-space origin.
    const std::array<float, 4> at = eye_space(viewpoint(modelview, lens));
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(at[k], 0.0f, 1e-5f);
    EXPECT_EQ(at[3], 1.0f);
    // An orthographic lens (glOrtho's matrix) sees from infinitely far along +z.
    Matrix4 flat = identity_matrix();
    flat[0] = 0.1f, flat[5] = 0.1f, flat[10] = -0.02f, flat[14] = -1.0f;
    const std::array<float, 4> towards = eye_space(viewpoint(modelview, flat));
    EXPECT_NEAR(towards[0], 0.0f, 1e-5f);
    EXPECT_NEAR(towards[1], 0.0f, 1e-5f);
    EXPECT_NEAR(towards[2], 1.0f, 1e-5f);
    EXPECT_EQ(towards[3], 0.0f);
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
