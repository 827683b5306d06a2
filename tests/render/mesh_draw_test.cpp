// Mesh::draw by object number, objloader bounds, and the extruder's display lists.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "anim/contour_extruder.h"
#include "render/mesh.h"
#include "render/objloader.h"
#include "tests/support/gl_context.h"

namespace {

class MeshDrawTest : public GlTest {
protected:
    // Lit pixels of the window after drawing: left half and right half.
    static std::pair<int, int> lit(const std::function<void()>& draw) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glUseProgram(0);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(1, 1, 1);
        draw();
        std::vector<uint8_t> pixels(kWidth * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int left = 0, right = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (pixels[(y * kWidth + x) * 4] > 128) (x < kWidth / 2 ? left : right)++;
        return {left, right};
    }
};

// Two objects: a triangle on the left half, one on the right.
const char* two_objects =
    "v -0.9 -0.5 0\nv -0.1 -0.5 0\nv -0.5 0.5 0\nv 0.1 -0.5 0\nv 0.9 -0.5 0\nv 0.5 0.5 0\n"
    "o left\nf 1 2 3\no right\nf 4 5 6\n";

}  // namespace

TEST_F(MeshDrawTest, DrawsByObjectAndNothingPastTheLast) {
    Mesh mesh;
    mesh.alternate_file = false;
    EXPECT_EQ(lit([&] { mesh.draw(-1); }), std::make_pair(0, 0));  // not loaded
    mesh.read(two_objects, false);
    mesh.loaded = true;
    ASSERT_EQ(mesh.object_boundaries, (std::vector<int>{0, 1, 2}));
    const auto all = lit([&] { mesh.draw(-1); });
    EXPECT_GT(all.first, 1000);
    EXPECT_GT(all.second, 1000);
    const auto left = lit([&] { mesh.draw(0); });
    EXPECT_GT(left.first, 1000);
    EXPECT_EQ(left.second, 0);
    const auto right = lit([&] { mesh.draw(1); });
    EXPECT_EQ(right.first, 0);
    EXPECT_GT(right.second, 1000);
    // Object 2 would span boundaries 2 and 3; there is no boundary 3.
    EXPECT_EQ(lit([&] { mesh.draw(2); }), std::make_pair(0, 0));
    EXPECT_EQ(lit([&] { mesh.draw(50); }), std::make_pair(0, 0));
    GLboolean enabled = GL_TRUE;
    glGetBooleanv(GL_VERTEX_ARRAY, &enabled);
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(MeshDrawTest, WithoutObjectStatementsNothingIsDrawn) {
    Mesh mesh;
    mesh.read("v -1 -1 0\nv 1 -1 0\nv 0 1 0\nf 1 2 3\n", false);
    mesh.loaded = true;
    EXPECT_EQ(lit([&] { mesh.draw(-1); }), std::make_pair(0, 0));
    EXPECT_EQ(lit([&] { mesh.draw(0); }), std::make_pair(0, 0));
    EXPECT_TRUE(no_gl_error());
}

TEST_F(MeshDrawTest, ObjLoaderAndMovableBounds) {
    objloader object("neomeshes/props/chair.obj");
    EXPECT_EQ(object.directory, "neomeshes/props/");
    EXPECT_EQ(object.file_name, "chair.obj");
    EXPECT_EQ(object.scale, 1.0f);
    EXPECT_EQ(object.model_matrix[10], -1.0f);
    EXPECT_EQ(object.model_matrix[0], 1.0f);
    for (const auto& corner : object.corners)
        for (float c : corner) EXPECT_EQ(c, 0.0f);  // no vertices: a box of size zero

    object.vertices = {2, -1, 0, -2, 3, 4, 0, 0, -6};
    object.compute_bounds();
    EXPECT_EQ(object.bounds_centre[0], 0.0f);
    EXPECT_EQ(object.half_extents[2], 5.0f);
    EXPECT_EQ(object.corners[0][0], -2.0f);
    EXPECT_EQ(object.corners[2][1], 3.0f);  // (x0, y1, z1)
    EXPECT_EQ(object.corners[2][2], 4.0f);
    EXPECT_EQ(object.corners[7][0], 2.0f);  // (x1, y1, z0)
    EXPECT_EQ(object.corners[7][2], -6.0f);
    EXPECT_EQ(objloader("plain.obj").directory, "");
}

TEST_F(MeshDrawTest, ExtrusionListsDrawTheSlab) {
    cv::Mat image(128, 128, CV_8UC1, cv::Scalar(0));
    cv::circle(image, {64, 64}, 40, 255, cv::FILLED);
    ContourExtruder extruder;
    const GLuint list = glGenLists(4);
    extruder.extrude("", list, 30, 100, &image);
    EXPECT_TRUE(glIsList(list));
    EXPECT_TRUE(glIsList(list + 1));
    const auto cap = lit([&] {
        glScalef(0.08f, 0.08f, 0.08f);
        glCallList(list + 1);
    });
    // The disc (radius 39.5 pixels between contour points) covers π·(39.5/64·10·0.08·128)² ≈ 12550
    // pixels of the window.
    EXPECT_NEAR(cap.first + cap.second, 12600, 600);
    const auto slab = lit([&] {
        glScalef(0.08f, 0.08f, 0.08f);
        glCallList(list);
    });
    EXPECT_NEAR(slab.first + slab.second, cap.first + cap.second, 200);

    cv::Mat dark(32, 32, CV_8UC1, cv::Scalar(0));
    extruder.extrude("", list + 2, 30, 100, &dark);
    EXPECT_TRUE(glIsList(list + 2));
    EXPECT_EQ(lit([&] { glCallList(list + 2); }), std::make_pair(0, 0));
    extruder.extrude("no/such/image.png", list + 2, 30, 100);
    EXPECT_TRUE(glIsList(list + 3));
    EXPECT_TRUE(no_gl_error());
}
