#include <GL/glew.h>

#include "anim/body.h"
#include "anim/rigid.h"
#include "anim/tube.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/gl_context.h"
#include "tests/support/test_figure.h"

namespace {

class RigidGl : public GlTest {};
class TubeGl : public GlTest {};
class FigureGl : public GlTest {};

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
    const std::unique_ptr<body> figure = three_joint_figure("anim_gl_body.bvh", "0 10 20 30 40 50");
    ASSERT_NE(figure, nullptr);
    Mesh mesh;  // never loaded: the parts draw nothing, the matrices still move
    GLint depth_before = 0, depth_after = 0;
    glMatrixMode(GL_MODELVIEW);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_before);
    figure->show_bounds = true;
    figure->frame = 1.5f;
    figure->draw(mesh);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_after);
    EXPECT_EQ(depth_after, depth_before);
    EXPECT_EQ(figure->mesh, &mesh);
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

// The figure sends only its parts' outer faces. Lit from the viewer, every pixel it covers is a
// bright outer face, never a dark inner one, whether the matrices mirror it (a reflection pass)
// or not, under either front-face rule; and it leaves the culling state as it found it.
TEST_F(FigureGl, ShowsItsPartsOuterFacesPlainAndMirrored) {
    const std::unique_ptr<body> figure = three_joint_figure("anim_gl_cull.bvh", "0 0 0 0 0 0");
    ASSERT_NE(figure, nullptr);
    Mesh skin;
    skin.alternate_file = false;  // plain OBJ text
    skin.read(inward_wound_cubes(0.05f), false);
    skin.loaded = true;

    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-20, 20, -20, 20, 1, 100);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);  // the figure's scale shrinks the normals
    glDisable(GL_CULL_FACE);
    glCullFace(GL_FRONT_AND_BACK);

    struct Setting {
        const char* what;
        bool mirrored;
        GLenum front;
    };
    for (const Setting& s : {Setting{"plain", false, GL_CCW}, Setting{"mirrored", true, GL_CCW},
                             Setting{"mirrored, clockwise fronts", true, GL_CW}}) {
        SCOPED_TRACE(s.what);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const GLfloat towards_viewer[4] = {0, 0, 1, 0};
        glLightfv(GL_LIGHT0, GL_POSITION, towards_viewer);
        if (s.mirrored) glScalef(1, -1, 1);
        glTranslatef(0, 0, -50);
        glFrontFace(s.front);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        figure->draw(skin);
        std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int lit = 0, dark = 0;
        for (std::size_t i = 0; i < pixels.size(); i += 4) {
            if (pixels[i] == 0) continue;  // background
            (pixels[i] > 128 ? lit : dark) += 1;
        }
        EXPECT_GT(lit, 200) << "the abdomen's and the chest's outer faces";
        EXPECT_EQ(dark, 0) << "an inner face showed";
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
        GLint cull_mode = 0;
        glGetIntegerv(GL_CULL_FACE_MODE, &cull_mode);
        EXPECT_EQ(cull_mode, GL_FRONT_AND_BACK);
    }
    glFrontFace(GL_CCW);
    glDisable(GL_LIGHT0);
    glDisable(GL_NORMALIZE);
    glDisable(GL_DEPTH_TEST);
    EXPECT_TRUE(no_gl_error());
}

// The posed box is the figure's own extent: under an orthographic view that puts the box on the
// middle half of the picture, the figure's pixels reach each of that square's four sides and
// never pass them, for a pose blended between two frames of leaning joints. Its cube parts make
// the box exact: a cube's box corners are its own corners.
TEST_F(FigureGl, PosedBoxIsWhereItsPixelsAre) {
    const std::unique_ptr<body> figure = three_joint_figure("anim_gl_box.bvh", "10 -30 45 40 20 -60");
    ASSERT_NE(figure, nullptr);
    Mesh skin;
    skin.alternate_file = false;
    skin.read(inward_wound_cubes(0.05f), false);
    skin.loaded = true;
    for (const float frame : {1.0f, 1.5f, 2.25f}) {
        SCOPED_TRACE(frame);
        figure->frame = frame;
        const Box box = body::posed_box(figure->pose(), skin);
        ASSERT_FALSE(box.empty());
        const float half_x = box.high.x - box.low.x, half_y = box.high.y - box.low.y;
        const float mid_x = (box.low.x + box.high.x) / 2, mid_y = (box.low.y + box.high.y) / 2;
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(mid_x - half_x, mid_x + half_x, mid_y - half_y, mid_y + half_y, -box.high.z - 1,
                -box.low.z + 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        figure->draw(skin);
        std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int left = kWidth, right = -1, bottom = kHeight, top = -1;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const unsigned char* p = &pixels[4 * (std::size_t(y) * kWidth + x)];
                if (p[0] == 0 && p[1] == 0 && p[2] == 0) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::min(bottom, y);
                top = std::max(top, y);
            }
        // The square spans pixels 64 to 191 on both axes.
        EXPECT_GE(left, 63);
        EXPECT_LE(left, 65);
        EXPECT_GE(right, 190);
        EXPECT_LE(right, 192);
        EXPECT_GE(bottom, 63);
        EXPECT_LE(bottom, 65);
        EXPECT_GE(top, 190);
        EXPECT_LE(top, 192);
    }
    EXPECT_TRUE(no_gl_error());
}
