#pragma once
// A hidden SDL window with a compatibility GL context and GLEW initialised, for GL tests.
// Tests that need GL derive their fixture from GlTest; it skips the test (with a reason) when no
// display is available instead of failing, and the test command always provides one (Xvfb).
#include <gtest/gtest.h>

struct SDL_Window;

class GlTest : public ::testing::Test {
protected:
    // Width and height of the hidden window's default framebuffer.
    static constexpr int kWidth = 256, kHeight = 256;
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    // True when no GL error is pending; clears the error queue.
    static bool no_gl_error();

    static SDL_Window* window_;
    static void* context_;
};
