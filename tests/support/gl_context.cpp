#include "tests/support/gl_context.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>

SDL_Window* GlTest::window_ = nullptr;
void* GlTest::context_ = nullptr;

void GlTest::SetUpTestSuite() {
    if (window_) return;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window_ = SDL_CreateWindow("gl test", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window_) return;
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) return;
    SDL_GL_MakeCurrent(window_, context_);
    glewExperimental = GL_TRUE;
    glewInit();
    while (glGetError() != GL_NO_ERROR) {}
}

void GlTest::TearDownTestSuite() {}

void GlTest::SetUp() {
    if (!context_) GTEST_SKIP() << "no GL context (no display): run the tests under xvfb-run";
    glViewport(0, 0, kWidth, kHeight);
}

bool GlTest::no_gl_error() {
    bool clean = true;
    while (glGetError() != GL_NO_ERROR) clean = false;
    return clean;
}
