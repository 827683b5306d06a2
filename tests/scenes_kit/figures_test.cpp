// The scenes' figure drawing against the figure's own: a figure is left out only where it could
// not have shown. Placed across the edges of a perspective view, turned and upside down, the
// scenes' draw shows the very pixels the figure draws itself, and sends nothing once it is wholly
// out of view.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <memory>
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
};

}  // namespace

TEST_F(FiguresTest, LeftOutOnlyWhereNothingOfItShows) {
    const std::unique_ptr<body> figure = three_joint_figure("kit_figures.bvh", "10 -30 45 40 20 -60");
    ASSERT_NE(figure, nullptr);
    Mesh skin;
    skin.alternate_file = false;
    skin.read(inward_wound_cubes(0.05f), false);
    skin.loaded = true;

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
                    draw_figure(*figure, skin, place, 1.5f);
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
