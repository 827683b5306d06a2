// QuadScissor on a GL context: the scissor box it sets from the GL's own matrices, inside a
// scissor already on, and the one before put back when it goes.
#include "scenes/kit/quad_scissor.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>

#include "tests/support/gl_context.h"

namespace {

class QuadScissorTest : public GlTest {
protected:
    static std::array<int, 4> box() {
        std::array<int, 4> b{};
        glGetIntegerv(GL_SCISSOR_BOX, b.data());
        return b;
    }
};

// A square facing the camera at distance 2 through gluPerspective(90°, 1), half a unit across:
// the middle half of a 200 × 200 area, before the margin.
const std::array<Vector3, 4> square{Vector3{-1.0f, -1.0f, -2.0f}, Vector3{1.0f, -1.0f, -2.0f},
                                    Vector3{1.0f, 1.0f, -2.0f}, Vector3{-1.0f, 1.0f, -2.0f}};

void look_down_minus_z() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 1.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

TEST_F(QuadScissorTest, ScissorsToTheQuadAndPutsBackTheScissorThatWasOff) {
    look_down_minus_z();
    glDisable(GL_SCISSOR_TEST);
    glScissor(0, 0, 200, 200);
    {
        QuadScissor scissor(square, 200, 200, 2);
        EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
        EXPECT_EQ(box(), (std::array<int, 4>{48, 48, 104, 104}));
    }
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_EQ(box(), (std::array<int, 4>{0, 0, 200, 200}));
    // Moved by the modelview: the quad two units to the right lies off the area's right half.
    glTranslatef(2.0f, 0.0f, 0.0f);
    {
        QuadScissor scissor(square, 200, 200, 0);
        EXPECT_EQ(box()[0], 150);
    }
    EXPECT_TRUE(no_gl_error());
}

TEST_F(QuadScissorTest, StaysInsideAScissorAlreadyOnAndLeavesItOn) {
    look_down_minus_z();
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);  // the warm-up's one pixel, outside the quad
    {
        QuadScissor scissor(square, 200, 200, 2);
        const std::array<int, 4> b = box();
        EXPECT_TRUE(b[2] <= 0 || b[3] <= 0) << "nothing of the quad lies in that pixel";
    }
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_EQ(box(), (std::array<int, 4>{0, 0, 1, 1}));
    glScissor(60, 60, 200, 200);
    {
        QuadScissor scissor(square, 200, 200, 2);
        EXPECT_EQ(box(), (std::array<int, 4>{60, 60, 92, 92}));
    }
    glDisable(GL_SCISSOR_TEST);
    EXPECT_TRUE(no_gl_error());
}
