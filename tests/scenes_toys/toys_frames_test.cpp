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
#include "tests/support/scene_test.h"

namespace {

class ToysFrames : public SceneTest {
protected:
    void SetUp() override {
        set_up_scene({"neomeshes/chess.objt", "neomeshes/tank2.objt", "neomeshes/avatar_run2.bvh",
                      "textures/chessboard.jpg", "Other/Materials2/f_material1.glsl",
                      "Other/PostProcessing/f_blurpasstoy.glsl"});
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
};

TEST_F(ToysFrames, DrawsChosenClockValuesWithoutGlErrors) {
    std::vector<double> progress;
    context_.progress = [&](double step) { progress.push_back(step); };
    auto scene = std::make_unique<part_toys>();
    scene->load(&context_);
    EXPECT_TRUE(no_gl_error());
    EXPECT_DOUBLE_EQ(scene->clock().value(), -7.1);
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
            EXPECT_GT(brightness(picture).spread, 2.0) << "a picture, not a flat colour";
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
    EXPECT_NEAR(scene->state().t, 30.4, 1e-9) << "drawn 4 frame-steps ahead";
    EXPECT_NEAR(scene->clock().value(), 30.0, 1e-9) << "the clock itself held";
    shared.flash = false;
    shared.previous_flash = true;
    scene->draw(&dt, &context_, &shared);
    EXPECT_NEAR(scene->clock().value(), scene->clock().steady(), 1e-12);
    shared.previous_flash = false;
    dt = step_to(scene->clock().value(), 150.0);
    scene->draw(&dt, &context_, &shared);
    EXPECT_EQ(scene->clock().value(), 243.0);
    EXPECT_TRUE(no_gl_error());
}

// The developer reload: while space is held the scene loads six programs again every frame; the
// replaced programs and their copies are let go. (The vehicle rows name their files without the
// "Other//" folder, as they always have, so those materials draw unshaded until space is let go.)
TEST_F(ToysFrames, HoldingSpaceReloadsProgramsEveryFrameWithoutAGlError) {
    auto scene = std::make_unique<part_toys>();
    scene->load(&context_);
    FrameState shared;
    double dt = step_to(-7.1, 12.0);
    scene->draw(&dt, &context_, &shared);
    shared.key_state[32] = 1;
    for (int frame = 0; frame < 3; ++frame) {
        dt = 0.0;
        scene->draw(&dt, &context_, &shared);
        EXPECT_TRUE(no_gl_error()) << frame;
        EXPECT_GT(brightness(window_picture()).spread, 2.0) << frame;
    }
    shared.key_state[32] = 0;
    scene->draw(&dt, &context_, &shared);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ToysFrames, RenderingChangesNoStateALaterFrameReads) {
    // Into the mirrored chess, a flash and its end, then over the jump from 146 to 243.
    expect_rendering_changes_no_state<part_toys>(
        {{20.0}, {1.0 / 30}, {0.1, true}, {0.1, true}, {0.1}, {150.0}, {20.0}, {1.0 / 30}});
}

}  // namespace
