// Window, display and clipboard services against a real display (Xvfb in the test command).
#include "platform/window.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/clipboard.h"
#include "platform/display_modes.h"

namespace {

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!init_video()) GTEST_SKIP() << "no display: run the tests under xvfb-run";
    }
};

}  // namespace

TEST_F(DisplayTest, HiddenWindowHasTheShowsFramebufferAndGlew) {
    HiddenGlWindow hidden = open_hidden_gl_window(96, 54);
    ASSERT_NE(hidden.window, nullptr);
    ASSERT_NE(hidden.gl_context, nullptr);
    int width = 0, height = 0;
    drawable_size(hidden.window, &width, &height);
    EXPECT_EQ(width, 96);
    EXPECT_EQ(height, 54);
    int alpha = 0, depth = 0, doubled = 0;
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &alpha);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubled);
    EXPECT_GE(alpha, 8);
    EXPECT_GE(depth, 24);
    EXPECT_EQ(doubled, 1);
    EXPECT_EQ(SDL_GetWindowFlags(hidden.window) & SDL_WINDOW_SHOWN, 0u);
    // GLEW resolved the entry points the show needs.
    EXPECT_NE(glGenFramebuffers, nullptr);
    EXPECT_NE(glDrawBuffers, nullptr);
    close_hidden_gl_window(hidden);
    EXPECT_EQ(hidden.window, nullptr);
}

TEST_F(DisplayTest, DesktopModeIsOneOfTheListedModes) {
    const std::vector<DisplayMode> modes = list_display_modes();
    ASSERT_FALSE(modes.empty());
    const DisplayMode desktop = desktop_display_mode();
    EXPECT_GT(desktop.width, 0);
    EXPECT_NE(std::find(modes.begin(), modes.end(), desktop), modes.end());
    EXPECT_TRUE(fullscreen_mode_available(desktop.width, desktop.height));
    EXPECT_FALSE(fullscreen_mode_available(desktop.width + 1, 77));
}

TEST_F(DisplayTest, ClipboardTakesTheText) {
    HiddenGlWindow hidden = open_hidden_gl_window(8, 8);  // X11 selections need a window
    const std::string text = "Cam :1,2,3  \n";
    ASSERT_TRUE(copy_to_clipboard(text));
    char* back = SDL_GetClipboardText();
    EXPECT_EQ(std::string(back), text);
    SDL_free(back);
    close_hidden_gl_window(hidden);
}

TEST(DisplayFree, ServicesWithoutAVideoSubsystemFailQuietly) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) GTEST_SKIP() << "video already running in this process";
    EXPECT_TRUE(list_display_modes().empty());
    EXPECT_EQ(desktop_display_mode(), DisplayMode{});
    EXPECT_FALSE(copy_to_clipboard("x"));
}
