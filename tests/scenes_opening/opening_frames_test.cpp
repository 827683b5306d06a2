// The opening scene drawn for real on the hidden window, from the asset
// pack in the show directory (skipped when the pack has not been generated).
#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "core/frame_state.h"
#include "render/graphics_context.h"
#include "scenes/opening/part_begin.h"
#include "show/app_state.h"
#include "tests/support/scene_test.h"

namespace {

class OpeningFrames : public SceneTest {
protected:
    void SetUp() override {
        set_up_scene({"neomeshes/human4.objt", "neomeshes/seaplane.objt", "textures/noise.jpg",
                      "neomeshes/avatar_walk.bvh", "Other/Materials/f_man.glsl",
                      "Other/PostProcessing/f_blurpass2.glsl"});
    }

    // Writes a window picture (bottom row first) as a PNG for looking at.
    static void save_png(const Picture& p, const std::string& path) {
        cv::Mat rgb(static_cast<int>(p.rgb.size() / 3 / kWidth), kWidth, CV_8UC3,
                    const_cast<unsigned char*>(p.rgb.data()));
        cv::Mat bgr, flipped;
        cv::cvtColor(rgb, bgr, cv::COLOR_RGB2BGR);
        cv::flip(bgr, flipped, 0);
        cv::imwrite(path, flipped);
    }
};

TEST_F(OpeningFrames, DrawsTheVisibleClockRangesWithoutGlErrors) {
    std::vector<double> progress;
    context_.progress = [&](double step) { progress.push_back(step); };
    auto scene = std::make_unique<part_begin>();
    scene->load(&context_);
    EXPECT_TRUE(no_gl_error());
    EXPECT_DOUBLE_EQ(scene->clock().value(), 4.15);
    // The load's own steps: the pre-pass texture, three program batches and the post-processing,
    // three texture batches, then the meshes (each picture adds its tenth between them).
    std::vector<double> load_steps;
    for (double step : progress)
        if (step > 0.1) load_steps.push_back(step);
    EXPECT_EQ(load_steps,
              (std::vector<double>{1, 0.33, 0.33, 0.33, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 1, 1, 2}));
    EXPECT_EQ(progress.size() - load_steps.size(), 9u) << "one tenth for each of the nine pictures";

    FrameState shared;
    shared.mode = 1;
    struct Step {
        double dt;
        double from, to;  // the clock the frame should draw with
    };
    // Real-time steps: the opening shot, the warm-up frame, the descent, the first jump to 56,
    // the stage, the second jump back to 56, and the crowd blinking out.
    const Step steps[] = {{0.0, 4.15, 4.15},  {0.1, 64.1, 64.3},  {15.0, 9.0, 9.3},
                          {12.0, 13.0, 13.4}, {11.0, 56.0, 56.0}, {6.0, 60.3, 60.6},
                          {8.0, 66.1, 66.5},  {6.0, 56.0, 56.0},  {19.0, 70.0, 70.1}};
    for (const Step& step : steps) {
        double dt = step.dt;
        scene->draw(&dt, &context_, &shared);
        SCOPED_TRACE(shared.params[0]);
        EXPECT_TRUE(no_gl_error());
        EXPECT_GE(shared.params[0], step.from);
        EXPECT_LE(shared.params[0], step.to);
        const Picture picture = window_picture();
        if (scene->clock().warming_up()) {
            // Covered by the warm-up clear colour (0, 0.03, 0.045).
            const unsigned char* c = picture.at(kWidth / 2, kHeight / 2);
            EXPECT_LE(c[0], 1);
            EXPECT_NEAR(c[1], 0.03 * 255, 1.5);
            EXPECT_NEAR(c[2], 0.045 * 255, 1.5);
        } else {
            EXPECT_GT(brightness(picture).spread, 2.0) << "a picture, not a flat colour";
        }
    }
    EXPECT_LT(scene->clock().value(), 70.2);
}

// The stage as the viewer sees it between the jumps: a still every 2 s of show time, written
// beside the test as opening_stage_NN.png. Consecutive stills must differ in most of their
// pixels (a new framing), not only where figures moved.
TEST_F(OpeningFrames, StageStillsTwoSecondsApartDifferInFraming) {
    auto scene = std::make_unique<part_begin>();
    scene->load(&context_);
    FrameState shared;
    for (double step : {0.0, 0.1, 37.95}) {  // the opening shot, the warm-up, the jump to 56
        double dt = step;
        scene->draw(&dt, &context_, &shared);
    }
    ASSERT_DOUBLE_EQ(shared.params[0], 56.0);
    Picture previous = window_picture();
    for (int k = 1; shared.params[0] < 70.0; ++k) {
        double dt = 2.0;
        scene->draw(&dt, &context_, &shared);
        const Picture still = window_picture();
        save_png(still, std::string(BRINEFALL_SHOW_DIR) + "/../opening_stage_" + std::to_string(k) + ".png");
        int changed = 0, total = 0;
        const int top = (kHeight + render_height) / 2, bottom = (kHeight - render_height) / 2;
        for (int y = bottom; y < top; ++y)
            for (int x = 0; x < kWidth; ++x, ++total) {
                const unsigned char *a = still.at(x, y), *b = previous.at(x, y);
                changed += std::abs((a[0] + a[1] + a[2]) - (b[0] + b[1] + b[2])) > 3 * 12;
            }
        EXPECT_GT(changed, total / 4) << "clock " << shared.params[0];
        previous = still;
    }
    EXPECT_TRUE(no_gl_error());
}

TEST_F(OpeningFrames, LowSpecComposeShowsThePicture) {
    context_.low_detail = true;  // as start-up copies the setup dialog's "Low spec GPU"
    auto scene = std::make_unique<part_begin>();
    scene->load(&context_);
    FrameState shared;
    double dt = 0.0;
    scene->draw(&dt, &context_, &shared);  // s = 4.15, where the second "Limit" is 1
    EXPECT_TRUE(no_gl_error());
    const Picture picture = window_picture();
    EXPECT_GT(brightness(picture).spread, 2.0) << "the low-spec picture must not be blacked out";
}

TEST_F(OpeningFrames, LightDepthStartsFarAndTheWarmUpLeavesNoTrace) {
    auto scene = std::make_unique<part_begin>();
    scene->load(&context_);
    auto light_depth_is_far = [this] {
        std::vector<float> depth(kWidth * render_height);
        glBindTexture(GL_TEXTURE_2D, context_.texture_name(10029));
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        return std::all_of(depth.begin(), depth.end(), [](float d) { return d == 1.0f; });
    };
    EXPECT_TRUE(light_depth_is_far()) << "after load";
    FrameState shared;
    for (double step : {0.0, 0.1}) {  // the second frame is the warm-up, 60 s ahead
        double dt = step;
        scene->draw(&dt, &context_, &shared);
    }
    EXPECT_TRUE(light_depth_is_far()) << "after the warm-up frame";
    EXPECT_TRUE(no_gl_error());
}

TEST_F(OpeningFrames, RenderingChangesNoStateALaterFrameReads) {
    // The opening shot, the warm-up frame, the descent, the first jump to 56, the stage.
    expect_rendering_changes_no_state<part_begin>(
        {{0.0}, {0.1}, {15.0}, {1.0 / 30}, {23.2}, {1.0 / 30}, {0.5}});
}

}  // namespace
