#include <GL/glew.h>

#include "anim/body.h"
#include "anim/rigid.h"
#include "anim/tube.h"

#include <filesystem>
#include <vector>

#include "core/file_io.h"
#include "tests/support/gl_context.h"

namespace {

class RigidGl : public GlTest {};
class TubeGl : public GlTest {};

TEST_F(RigidGl, TranslucentGroupSetsItsAlphaBeforeItsTriangles) {
    rigid r("Other/obj/head.obj");
    ObjGroup group;
    group.alpha = 0.5f;
    group.diffuse[0] = 0.25f;
    group.triangles = {1, 2, 3, 1, 2, 9};  // the second triangle names a missing corner
    r.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    r.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    r.groups = {&group};
    r.translucent = true;

    glColor4f(0, 0, 0, 1);
    r.draw();
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[3], 0.5f);
    float diffuse[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_EQ(diffuse[0], 0.25f);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(no_gl_error());
}

TEST_F(RigidGl, InvisibleObjectDrawsOnlyItsOutline) {
    rigid r("Other/obj/head.obj");
    ObjGroup group;
    group.alpha = 0.5f;
    r.groups = {&group};
    r.translucent = true;
    r.visible = false;
    r.show_bounds = true;
    glColor4f(0, 0, 0, 1);
    r.draw();
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    // The last colour set is the axes' blue, never the group's alpha.
    EXPECT_FLOAT_EQ(colour[2], 1.0f);
    EXPECT_EQ(colour[3], 1.0f);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(RigidGl, FigureDrawLeavesTheMatrixStackBalanced) {
    const std::string path = (std::filesystem::temp_directory_path() / "anim_gl_body.bvh").string();
    ASSERT_TRUE(write_file(
        path,
        "ROOT abdomen { OFFSET 0 0 0 CHANNELS 1 Zrotation JOINT chest { OFFSET 0 1 0 CHANNELS 1 Zrotation "
        "JOINT head { OFFSET 0 1 0 CHANNELS 1 Zrotation End Site { OFFSET 0 1 0 } } } } "
        "MOTION Frames: 2 Frame Time: 0.1 0 10 20 30 40 50"));
    testing::internal::CaptureStdout();
    body figure(path);
    testing::internal::GetCapturedStdout();
    Mesh mesh;  // never loaded: the parts draw nothing, the matrices still move
    GLint depth_before = 0, depth_after = 0;
    glMatrixMode(GL_MODELVIEW);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_before);
    figure.show_bounds = true;
    figure.frame = 1.5f;
    figure.draw(mesh);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_after);
    EXPECT_EQ(depth_after, depth_before);
    EXPECT_EQ(figure.mesh, &mesh);
    EXPECT_TRUE(no_gl_error());
}

// Counts the triangles GL receives, through feedback mode.
int feedback_triangles(void (*draw)()) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    int triangles = 0;
    for (GLint i = 0; i < used;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const GLint corners = static_cast<GLint>(buffer[i++]);
            triangles += corners == 3;
            i += corners * 3;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        } else {
            i += token == GL_POINT_TOKEN ? 3 : 6;
        }
    }
    return triangles;
}

TEST_F(TubeGl, DrawsOneStripOfTwoTrianglesPerSidePerSegment) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    const int triangles = feedback_triangles([] {
        // Inside the unit view volume, so nothing is clipped.
        Spline s;
        for (int i = 0; i < 9; ++i) {
            s.append({0, 0, -0.8f + 0.2f * i});
            s.channel2.push_back({0.1f, 0, 0});
        }
        s.count = 9;
        draw_tube(s, {1, 0, 0}, 0.0, 6.0, 6, 9);
        draw_tube_window(s, {1, 0, 0}, 0.0, 6.0, 6, 9, 0.0, 0.34);  // segments 0..2
        draw_tube(s, {1, 0, 0}, 0.0, 6.0, 6, 1000);                 // refused
    });
    EXPECT_EQ(triangles, (6 + 3) * 2 * 9);
    EXPECT_TRUE(no_gl_error());
}

}  // namespace
