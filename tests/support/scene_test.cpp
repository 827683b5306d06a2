#include "tests/support/scene_test.h"

#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "show/app_state.h"

void SceneTest::set_up_scene(std::initializer_list<const char*> pack_files) {
    GlTest::SetUp();
    if (IsSkipped()) return;
    for (const char* file : pack_files)
        if (!std::filesystem::exists(std::filesystem::path(BRINEFALL_SHOW_DIR) / file))
            GTEST_SKIP() << "no asset pack in " << BRINEFALL_SHOW_DIR << " (" << file << " is missing)";
    ASSERT_EQ(chdir(BRINEFALL_SHOW_DIR), 0);
    AppState& app = app_state();
    app.render_width = app.picture_width = kWidth;
    app.render_height = app.picture_height = render_height;
    app.window_width = kWidth;
    app.window_height = kHeight;
    context_.end_process = [](int code) { FAIL() << "the scene ended the process with " << code; };
    context_.start_up([](double) {}, kWidth, render_height, false);
}

SceneTest::Picture SceneTest::window_picture() {
    Picture p;
    p.rgb.resize(3 * kWidth * kHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
    return p;
}

SceneTest::Brightness SceneTest::brightness(const Picture& picture) {
    const int bottom = (kHeight - render_height) / 2, top = bottom + render_height;
    double sum = 0, sum2 = 0;
    int n = 0;
    for (int y = bottom; y < top; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const unsigned char* c = picture.at(x, y);
            const double v = (c[0] + c[1] + c[2]) / 3.0;
            sum += v;
            sum2 += v * v;
            ++n;
        }
    Brightness b;
    b.mean = sum / n;
    b.spread = std::sqrt(std::max(sum2 / n - b.mean * b.mean, 0.0));
    return b;
}
