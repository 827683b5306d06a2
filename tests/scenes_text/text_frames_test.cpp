// The final scene drawn for real on the hidden window from the asset pack in the show directory
// (skipped when the pack has not been generated): every program compiles, and frames across
// the scene's sections draw a picture without a GL error.
#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "render/graphics_context.h"
#include "scenes/text/part_text.h"
#include "scenes/text/text_programs.h"
#include "show/app_state.h"
#include "tests/support/gl_context.h"

namespace {

constexpr int window_size = 256;    // GlTest's hidden window
constexpr int render_height = 144;  // letterboxed in it

bool pack_present() {
    const std::filesystem::path show = BRINEFALL_SHOW_DIR;
    for (const char* file : {"neomeshes/wall.objt", "neomeshes/ant.objt", "neomeshes/Asm1.objt",
                             "textures/tile.jpg", "neomeshes/avatar_run2.bvh",
                             "Other/Materials4/f_material1.glsl", "Other/PostProcessing/f_blurpasstoy3.glsl"})
        if (!std::filesystem::exists(show / file)) return false;
    return true;
}

// Mean and spread of the brightness over the picture area (the letterbox bands excluded).
struct Brightness {
    double mean = 0, spread = 0;
};
Brightness picture_brightness() {
    std::vector<unsigned char> rgb(3 * window_size * window_size);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, window_size, window_size, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    const int bottom = (window_size - render_height) / 2, top = bottom + render_height;
    double sum = 0, sum2 = 0;
    int n = 0;
    for (int y = bottom; y < top; ++y)
        for (int x = 0; x < window_size; ++x) {
            const unsigned char* c = &rgb[3 * (y * window_size + x)];
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

class FinalScene : public GlTest {
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

    // Elapsed seconds that bring the clock from `from` to `to` in one frame (no flash): a frame
    // that ends above 42 is trimmed over its whole step.
    static double step_to(double from, double to) {
        return (to - from) / (to > text::trim_above ? text::clock_rate - text::trim_rate : text::clock_rate);
    }

    GraphicsContext context_;
};

TEST_F(FinalScene, EveryProgramCompilesAndLinksFromTheShowDirectory) {
    for (const ProgramEntry& entry : text::programs) {
        SCOPED_TRACE(entry.fragment);
        for (const char* file : {entry.vertex, entry.fragment}) {
            if (!file) continue;
            const auto text = read_file(std::string(file) + ".glsl");
            ASSERT_TRUE(text.has_value()) << file;
            EXPECT_EQ(text->rfind("#version 120", 0), 0u) << file;
        }
    }
    part_text scene;
    scene.load(&context_);
    EXPECT_TRUE(no_gl_error());
    ShaderLibrary probe;
    for (const ProgramEntry& entry : text::programs) {
        SCOPED_TRACE(entry.fragment);
        load_program_entry(probe, context_, entry);
        EXPECT_TRUE(probe.loaded(entry.slot));
    }
    EXPECT_TRUE(no_gl_error());
}

TEST_F(FinalScene, LoadBuildsThePathsAndSetsTheClock) {
    part_text scene;
    scene.load(&context_);
    EXPECT_DOUBLE_EQ(scene.scene_clock, 25.0);
    EXPECT_DOUBLE_EQ(scene.clock().steady(), 25.0);
    EXPECT_EQ(scene.reload_count(), 2000);
    ASSERT_EQ(scene.flight_paths().size(), 1408u);
    int moving = 0;
    for (const text::FlightPath& path : scene.flight_paths()) moving += path.offsets.back().z != 0.0f;
    // The bricks within 0.91 of the wall's centre line: a disc blown out of the wall.
    EXPECT_GT(moving, 200);
    EXPECT_LT(moving, 700);
}

TEST_F(FinalScene, DrawsEverySectionWithoutGlErrors) {
    auto scene = std::make_unique<part_text>();
    scene->load(&context_);
    FrameState shared;
    // The ants and tubes, the wall bursting, the house and moon, the tree, the diver and the
    // faces, the faces breaking, the credits, and the last second.
    const double clocks[] = {25.0, 30.0, 56.0, 69.0, 75.0, 92.0, 114.5, 130.0, 169.5};
    double clock = 25.0;
    for (double target : clocks) {
        double dt = step_to(clock, target);
        shared.show_time = 361.0 + (target - 25.0);
        shared.flash = shared.previous_flash = false;
        scene->draw(&dt, &context_, &shared);
        clock = shared.params[0];
        SCOPED_TRACE(clock);
        EXPECT_NEAR(clock, target, 1e-6);
        EXPECT_TRUE(no_gl_error());
        const Brightness b = picture_brightness();
        if (target < 169.0) {
            EXPECT_GT(b.spread, 2.0) << "a picture, not a flat colour";
        } else {
            EXPECT_LT(b.mean, 8.0) << "the last second has gone down with the music";
        }
    }
}

TEST_F(FinalScene, FlashFramesStandStillAndSpaceReloads) {
    part_text scene;
    scene.load(&context_);
    FrameState shared;
    double dt = 0.5;
    shared.flash = true;
    scene.draw(&dt, &context_, &shared);
    EXPECT_DOUBLE_EQ(shared.params[0], 25.0);
    shared.flash = false;
    shared.previous_flash = true;
    shared.key_state[32] = 1;
    scene.draw(&dt, &context_, &shared);
    EXPECT_DOUBLE_EQ(shared.params[0], 25.0 + 2.0 * text::clock_rate * 0.5);
    EXPECT_EQ(scene.reload_count(), 2001);
    EXPECT_TRUE(no_gl_error());
}

}  // namespace
