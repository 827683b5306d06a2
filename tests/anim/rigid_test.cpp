#include "anim/rigid.h"

#include <gtest/gtest.h>

namespace {

TEST(Rigid, EmptyMeshGivesABoxOfSizeZeroAtTheOrigin) {
    rigid r("Other/obj/head.obj");
    EXPECT_TRUE(r.visible);
    EXPECT_TRUE(r.vertices.empty());
    r.compute_bounds();
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(r.bounds_centre[axis], 0.0f);
        EXPECT_EQ(r.half_extents[axis], 0.0f);
    }
}

TEST(Rigid, BoundsIncludeTheFirstVertexAndListCornersInOrder) {
    rigid r("Other/obj/head.obj");
    r.vertices = {{-4, 1, 9}, {2, 3, 0}, {1, -2, 5}};  // the first is the extreme in x and z
    r.compute_bounds();
    const float expected[8][3] = {{-4, -2, 0}, {-4, -2, 9}, {-4, 3, 9}, {-4, 3, 0},
                                  {2, -2, 0},  {2, -2, 9},  {2, 3, 9},  {2, 3, 0}};
    for (int c = 0; c < 8; ++c)
        for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(r.corners[c][axis], expected[c][axis]) << c;
    EXPECT_EQ(r.bounds_centre[0], -1.0f);
    EXPECT_EQ(r.half_extents[0], 3.0f);
    EXPECT_EQ(r.half_extents[2], 4.5f);
}

}  // namespace
