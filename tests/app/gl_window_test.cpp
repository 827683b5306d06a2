#include "app/gl_window.h"

#include <GL/glew.h>
#include <cmath>
#include <gtest/gtest.h>

#include "show/app_state.h"
#include "tests/support/gl_context.h"

class ResizeTest : public GlTest {};

TEST_F(ResizeTest, ZeroHeightGivesAOnePixelViewportAndAFiniteProjection) {
    resize_gl_scene(200, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 200);
    EXPECT_EQ(viewport[3], 1);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (float value : projection) EXPECT_TRUE(std::isfinite(value));
    // 45 degrees: cot(22.5) = 2.41421 on y, that over the aspect (200) on x.
    EXPECT_NEAR(projection[5], 2.414214f, 1e-5);
    EXPECT_NEAR(projection[0], 2.414214f / 200, 1e-7);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ResizeTest, ProjectionFollowsTheAspect) {
    resize_gl_scene(160, 90);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0] * 160.0f / 90.0f, projection[5], 1e-5);
    // near 0.1, far 100
    EXPECT_NEAR(projection[10], -(100.0f + 0.1f) / (100.0f - 0.1f), 1e-5);
    resize_gl_scene(kWidth, kHeight);
}

TEST(KillGlWindow, ReleasingNothingIsSafeAndQuiet) {
    testing::internal::CaptureStderr();
    kill_gl_window();
    kill_gl_window();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(app_state().window, nullptr);
    EXPECT_EQ(app_state().gl_context, nullptr);
}
