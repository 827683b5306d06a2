// The view test that lets a scene skip what lies outside a pass's view: a box is rejected only
// when all its corners are beyond one plane, so nothing that could make a fragment is skipped.
#include <gtest/gtest.h>

#include <cmath>

#include "render/view_culling.h"

namespace {

// A GL-style perspective (90 degrees, square, near 1, far 100) looking down -z from the origin.
Matrix4 perspective() {
    const float n = 1.0f, f = 100.0f;
    Matrix4 m{};
    m[0] = 1.0f;
    m[5] = 1.0f;
    m[10] = -(f + n) / (f - n);
    m[11] = -1.0f;
    m[14] = -2.0f * f * n / (f - n);
    return m;
}

Box box(float x0, float y0, float z0, float x1, float y1, float z1) {
    Box b;
    b.add(x0, y0, z0);
    b.add(x1, y1, z1);
    return b;
}

TEST(ViewCulling, KeepsWhatIsInViewOrReachesIntoIt) {
    const Matrix4 clip = perspective();
    EXPECT_FALSE(outside_clip_volume(clip, box(-1, -1, -11, 1, 1, -9))) << "ahead, in the middle";
    EXPECT_FALSE(outside_clip_volume(clip, box(9, -1, -11, 30, 1, -9))) << "crossing the right edge";
    EXPECT_FALSE(outside_clip_volume(clip, box(-1, -1, -50, 1, 1, 50))) << "through the camera";
    EXPECT_FALSE(outside_clip_volume(clip, box(-1, -1, -150, 1, 1, -90))) << "crossing the far plane";
    // Every corner lies beyond some plane, but not all beyond the same one: the box crosses the
    // view (a long bar passing in front of the camera from far left to far right).
    EXPECT_FALSE(outside_clip_volume(clip, box(-40, -0.5f, -11, 40, 0.5f, -9)));
}

TEST(ViewCulling, RejectsWhatLiesWhollyBeyondOnePlane) {
    const Matrix4 clip = perspective();
    EXPECT_TRUE(outside_clip_volume(clip, box(12, -1, -11, 30, 1, -9))) << "right of the view";
    EXPECT_TRUE(outside_clip_volume(clip, box(-30, -1, -11, -12, 1, -9))) << "left";
    EXPECT_TRUE(outside_clip_volume(clip, box(-1, 12, -11, 1, 30, -9))) << "above";
    EXPECT_TRUE(outside_clip_volume(clip, box(-1, -1, 5, 1, 1, 9))) << "behind the camera";
    EXPECT_TRUE(outside_clip_volume(clip, box(-0.1f, -0.1f, -0.9f, 0.1f, 0.1f, -0.5f))) << "nearer than near";
    EXPECT_TRUE(outside_clip_volume(clip, box(-1, -1, -150, 1, 1, -110))) << "beyond far";
    EXPECT_TRUE(outside_clip_volume(clip, Box{})) << "an empty box holds nothing to draw";
}

TEST(ViewCulling, FollowsTheModelviewIntoClipSpace) {
    // The same box, moved by a modelview: turned half round about y it lies behind the camera.
    Matrix4 turned = {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1};
    const Box ahead = box(-1, -1, -11, 1, 1, -9);
    EXPECT_FALSE(outside_clip_volume(perspective(), ahead));
    EXPECT_TRUE(outside_clip_volume(multiply(perspective(), turned), ahead));
    Matrix4 shifted = identity_matrix();
    shifted[12] = 25.0f;  // 25 to the right, at a depth of 10: beyond the right plane
    EXPECT_TRUE(outside_clip_volume(multiply(perspective(), shifted), ahead));
}

TEST(ViewCulling, BoxGrowsToHoldEveryPointAdded) {
    Box b;
    EXPECT_TRUE(b.empty());
    b.add(1, 2, 3);
    EXPECT_FALSE(b.empty());
    b.add(-1, 5, 0);
    EXPECT_EQ(b.lo[0], -1.0f);
    EXPECT_EQ(b.lo[1], 2.0f);
    EXPECT_EQ(b.lo[2], 0.0f);
    EXPECT_EQ(b.hi[0], 1.0f);
    EXPECT_EQ(b.hi[1], 5.0f);
    EXPECT_EQ(b.hi[2], 3.0f);
}

}  // namespace
