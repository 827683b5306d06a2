// The scenes' figure drawing against the figure's own: a figure is left out only where it could
// not have shown. Placed across the edges of a perspective view, turned and upside down, the
// scenes' draw shows the very pixels the figure draws itself, and sends nothing once it is wholly
// out of view.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/mesh.h"
#include "scenes/kit/figures.h"
#include "tests/support/gl_context.h"
#include "tests/support/test_figure.h"

namespace {

class FiguresTest : public GlTest {
protected:
    std::vector<unsigned char> pixels() const {
        std::vector<unsigned char> out(std::size_t(kWidth) * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
        return out;
    }
    // The triangles `draw` sends to the GL.
    template <typename Draw>
    GLuint triangles_sent(Draw draw) const {
        GLuint query = 0, sent = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_PRIMITIVES_GENERATED, query);
        draw();
        glEndQuery(GL_PRIMITIVES_GENERATED);
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &sent);
        glDeleteQueries(1, &query);
        return sent;
    }
};

Mesh skin_from(const std::string& obj) {
    Mesh skin;
    skin.alternate_file = false;
    skin.read(obj, false);
    skin.loaded = true;
    return skin;
}

Mesh cube_skin() { return skin_from(inward_wound_cubes(0.05f)); }

// A stand-in coarse skin: each of the 19 objects one triangle inside its cube.
Mesh one_triangle_skin() {
    std::string obj;
    for (int object = 0; object < 19; ++object) {
        const int v = 3 * object;
        obj += "o part" + std::to_string(object) + "\nv -0.04 -0.04 0\nv 0.04 -0.04 0\nv 0 0.04 0\nf " +
               std::to_string(v + 1) + " " + std::to_string(v + 2) + " " + std::to_string(v + 3) + "\n";
    }
    return skin_from(obj);
}

}  // namespace

TEST_F(FiguresTest, LeftOutOnlyWhereNothingOfItShows) {
    const std::unique_ptr<body> figure = three_joint_figure("kit_figures.bvh", "10 -30 45 40 20 -60");
    ASSERT_NE(figure, nullptr);
    const Mesh skin = cube_skin(), no_coarse_skin;

    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 0.5, 100.0);
    GLuint query = 0;
    glGenQueries(1, &query);
    int left_out = 0, partly_shown = 0;
    for (const bool upside_down : {false, true})
        for (const float heading : {0.0f, 150.0f})
            for (float x = 3.0f; x <= 12.0f; x += 0.5f) {
                SCOPED_TRACE(testing::Message()
                             << "upside down " << upside_down << ", heading " << heading << ", x " << x);
                // Along the view's right edge at 10 units, and the same across its top edge.
                for (const Vector3 at : {Vector3{x, -1.0f, -10.0f}, Vector3{-1.0f, x, -10.0f}}) {
                    const FigurePlace place{at, heading, 0.1f, upside_down};
                    glMatrixMode(GL_MODELVIEW);
                    glLoadIdentity();
                    glClear(GL_COLOR_BUFFER_BIT);
                    glPushMatrix();
                    glTranslatef(at.x, at.y, at.z);
                    if (upside_down) glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
                    glRotatef(heading, 0.0f, 1.0f, 0.0f);
                    glScalef(0.1f, 0.1f, 0.1f);
                    figure->frame = 1.5f;
                    figure->draw(skin);
                    glPopMatrix();
                    const std::vector<unsigned char> own = pixels();

                    glClear(GL_COLOR_BUFFER_BIT);
                    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
                    draw_figure(*figure, {skin, no_coarse_skin}, place, 1.5f);
                    glEndQuery(GL_PRIMITIVES_GENERATED);
                    GLuint sent = 0;
                    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &sent);
                    const std::vector<unsigned char> scenes = pixels();

                    ASSERT_EQ(scenes, own);
                    bool any = false;
                    for (std::size_t i = 0; i < own.size() && !any; i += 4)
                        any = own[i] || own[i + 1] || own[i + 2];
                    left_out += sent == 0;
                    partly_shown += any && x > 5.0f;
                }
            }
    // The sweep crosses the edges: some placements show a part of the figure, others none of it,
    // and those are left out.
    EXPECT_GT(partly_shown, 4);
    EXPECT_GT(left_out, 4);
    glDeleteQueries(1, &query);
    EXPECT_TRUE(no_gl_error());
}

// A figure spanning fewer than coarse_below pixels is drawn with the coarse skin, a larger one with
// the full skin, and a coarse skin that did not load leaves the full one everywhere.
TEST_F(FiguresTest, SmallInThePictureDrawnWithTheCoarseSkin) {
    const std::unique_ptr<body> figure = three_joint_figure("kit_coarse.bvh", "0 0 0 10 10 10");
    ASSERT_NE(figure, nullptr);
    const Mesh full = cube_skin(), coarse = one_triangle_skin(), unloaded;

    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 0.5, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    figure->frame = 1.0f;
    const GLuint full_count = triangles_sent([&] { figure->draw(full); });
    const GLuint coarse_count = triangles_sent([&] { figure->draw(coarse); });
    ASSERT_GT(full_count, coarse_count);

    // The figure is about 6 units tall: some 140 pixels at 10 units, 7 at 200.
    for (const float distance : {10.0f, 200.0f}) {
        SCOPED_TRACE(distance);
        const FigurePlace place{{0.0f, -3.0f, -distance}, 30.0f, 1.0f};
        const PosedFigure posed = pose_figure(*figure, {full, coarse}, 1.0f);
        const bool small = distance > 100.0f;
        EXPECT_EQ(triangles_sent([&] {
                      draw_figure(*figure, {full, coarse}, place, posed);
                  }),
                  small ? coarse_count : full_count);
        EXPECT_EQ(triangles_sent([&] { draw_figure(*figure, {full, unloaded}, place, 1.0f); }), full_count);
    }
    EXPECT_TRUE(no_gl_error());
}
