// The toys scene drawn for real on the hidden window from the asset pack in the show directory
// (skipped when the pack has not been generated): frames at chosen clock values raise no GL
// error and show a picture.
//
// With TOYS_STILLS=<dir> in the environment the frames are also written there as PPM pictures,
// for looking at the scene without running the show up to it.
#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/frame_state.h"
#include "render/graphics_context.h"
#include "scenes/toys/part_toys.h"
#include "scenes/toys/toys_clock.h"
#include "scenes/toys/toys_programs.h"
#include "scenes/toys/toys_timeline.h"
#include "show/app_state.h"
#include "tests/support/gl_context.h"

namespace {

constexpr int render_height = 144;  // letterboxed in the 256 x 256 window

bool pack_present() {
    const std::filesystem::path show = BRINEFALL_SHOW_DIR;
    for (const char* file : {"neomeshes/chess.objt", "neomeshes/tank2.objt", "neomeshes/avatar_run2.bvh",
                             "textures/chessboard.jpg", "Other/Materials2/f_material1.glsl",
                             "Other/PostProcessing/f_blurpasstoy.glsl"})
        if (!std::filesystem::exists(show / file)) return false;
    return true;
}

struct Picture {
    std::vector<unsigned char> rgb;
};

class ToysFrames : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped()) return;
        if (!pack_present()) GTEST_SKIP() << "no asset pack in " << BRINEFALL_SHOW_DIR;
        ASSERT_EQ(chdir(BRINEFALL_SHOW_DIR), 0);
        AppState& app = app_state();
        app.render_width = kWidth;
        app.render_height = render_height;
        app.window_width = kWidth;
        app.window_height = kHeight;
        context_.end_process = [](int code) { FAIL() << "the scene ended the process with " << code; };
        context_.start_up([](double) {}, kWidth, render_height, false);
    }

    static Picture window_picture() {
        Picture p;
        p.rgb.resize(3 * kWidth * kHeight);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
        return p;
    }

    // Spread of the brightness over the render area (the letterbox bands left out).
    static double spread(const Picture& p) {
        const int top = (kHeight + render_height) / 2, bottom = (kHeight - render_height) / 2;
        double sum = 0, sum2 = 0;
        int n = 0;
        for (int y = bottom; y < top; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const unsigned char* c = &p.rgb[3 * (y * kWidth + x)];
                const double v = (c[0] + c[1] + c[2]) / 3.0;
                sum += v;
                sum2 += v * v;
                ++n;
            }
        const double mean = sum / n;
        return std::sqrt(std::max(sum2 / n - mean * mean, 0.0));
    }

    static void keep_still(const Picture& p, double t) {
        const char* dir = std::getenv("TOYS_STILLS");
        if (!dir) return;
        char name[64];
        std::snprintf(name, sizeof name, "/toys_%07.2f.ppm", t);
        FILE* f = std::fopen((std::string(dir) + name).c_str(), "wb");
        if (!f) return;
        std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
        for (int y = kHeight - 1; y >= 0; --y) std::fwrite(&p.rgb[3 * y * kWidth], 1, 3 * kWidth, f);
        std::fclose(f);
    }

    // The frame delta that brings the clock from `from` to `to` in one steady frame.
    static double step_to(double from, double to) {
        return (to - from) / (0.8 * 1.0035 * toys::speed_factor(from));
    }

    GraphicsContext context_;
};

TEST_F(ToysFrames, DrawsChosenClockValuesWithoutGlErrors) {
    std::vector<double> progress;
    context_.progress = [&](double step) { progress.push_back(step); };
    auto scene = std::make_unique<part_toys>();
    scene->load(&context_);
    EXPECT_TRUE(no_gl_error());
    EXPECT_DOUBLE_EQ(scene->scene_clock, -7.1);
    std::vector<double> steps;  // the load's own steps; texture loads add their tenths between
    for (double step : progress)
        if (step >= 1.0) steps.push_back(step);
    EXPECT_EQ(steps, (std::vector<double>{1, 1, 1, 1, 1, 1, 1, 2, 2, 3, 2, 2, 1}));

    FrameState shared;
    shared.mode = 1;
    // One frame in each section: the white fade-in, the crowd, the spiral, the mirrored chess,
    // the traffic, the pavement, the tank rising, the maze, the sea, the bridge, the toys and
    // their bursts, and the black after the fade-out.
    const double clocks[] = {-6.5, -3.0, 5.0,   12.0,  20.5,  30.0,  47.0,  63.0,  76.0,
                             84.0, 93.0, 101.0, 103.6, 109.0, 115.0, 121.0, 126.0, 136.0};
    for (double t : clocks) {
        double dt = step_to(scene->clock().value(), t);
        scene->draw(&dt, &context_, &shared);
        SCOPED_TRACE(t);
        EXPECT_TRUE(no_gl_error());
        EXPECT_NEAR(shared.params[0], t, 1e-9) << "the clock is kept in params[0]";
        const Picture picture = window_picture();
        keep_still(picture, t);
        const double grey = toys::grey_value(t);
        if (grey > 0.2 && grey < 0.8) {
            EXPECT_GT(spread(picture), 2.0) << "a picture, not a flat colour";
        }
    }
}

TEST_F(ToysFrames, AFlashFrameIsDrawnAheadAndTheJumpSkipsToTwoFortyThree) {
    auto scene = std::make_unique<part_toys>();
    scene->load(&context_);
    FrameState shared;
    double dt = step_to(-7.1, 30.0);
    scene->draw(&dt, &context_, &shared);
    shared.flash = true;
    dt = 0.1;
    scene->draw(&dt, &context_, &shared);
    EXPECT_NEAR(scene->drawn_clock(), 30.4, 1e-9) << "drawn 4 frame-steps ahead";
    EXPECT_NEAR(scene->scene_clock, 30.0, 1e-9) << "the clock itself held";
    shared.flash = false;
    shared.previous_flash = true;
    scene->draw(&dt, &context_, &shared);
    EXPECT_NEAR(scene->scene_clock, scene->clock().steady(), 1e-12);
    shared.previous_flash = false;
    dt = step_to(scene->clock().value(), 150.0);
    scene->draw(&dt, &context_, &shared);
    EXPECT_EQ(scene->scene_clock, 243.0);
    EXPECT_TRUE(no_gl_error());
}

}  // namespace
