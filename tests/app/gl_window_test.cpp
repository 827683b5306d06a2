#include "app/gl_window.h"

#include <GL/glew.h>
#include <cmath>
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "platform/window.h"
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

// Opens and releases a show window of its own, then gives the suite's context back.
class FullScreenReleaseTest : public GlTest {
protected:
    void TearDown() override { SDL_GL_MakeCurrent(window_, context_); }
};

TEST_F(FullScreenReleaseTest, RestoresTheCursorAndTheDesktop) {
    AppState& app = app_state();
    int desktop_width = 0, desktop_height = 0;
    {
        SDL_DisplayMode mode;
        ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0);
        desktop_width = mode.w;
        desktop_height = mode.h;
    }
    app.fullscreen = true;
    app.window = open_window(window_title, desktop_width, desktop_height, WindowKind::fullscreen);
    ASSERT_NE(app.window, nullptr);
    app.gl_context = create_gl_context(app.window);
    ASSERT_NE(app.gl_context, nullptr);
    ASSERT_TRUE(make_gl_current(app.window, app.gl_context));
    set_cursor_visible(false);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    testing::internal::CaptureStderr();
    kill_gl_window();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "no shutdown error";
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_EQ(app.window, nullptr);
    EXPECT_EQ(app.gl_context, nullptr);
    SDL_DisplayMode now;
    ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &now), 0);
    EXPECT_EQ(now.w, desktop_width);
    EXPECT_EQ(now.h, desktop_height);
    app.fullscreen = false;
}
