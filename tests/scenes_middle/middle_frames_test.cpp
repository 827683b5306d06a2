// The middle scene on the hidden window: it loads from the asset pack in the show directory
// (skipped when the pack has not been generated) and draws frames across its clock without a GL
// error, with the compose uniforms the scene promises.
#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "core/frame_state.h"
#include "render/graphics_context.h"
#include "scenes/middle/middle_programs.h"
#include "scenes/middle/part_middle.h"
#include "show/app_state.h"
#include "tests/support/scene_test.h"

namespace {

class MiddleFrames : public SceneTest {
protected:
    void SetUp() override {
        set_up_scene({"neomeshes/human4.objt", "neomeshes/kolones.objt", "textures/paper.jpg",
                      "textures/videos1/t0256.png", "textures/fish3a2.png", "neomeshes/avatar_run.bvh",
                      "Other/Materials3/f_material2.glsl"});
    }

    static float uniform(const part_middle& scene, int slot, const char* name) {
        const GLuint program = scene.shaders().program(slot);
        float value = -1.0f;
        glGetUniformfv(program, glGetUniformLocation(program, name), &value);
        return value;
    }
};

TEST_F(MiddleFrames, LoadsEverySlabAndDrawsAcrossTheVisibleClockWithoutGlErrors) {
    std::vector<double> progress;
    context_.progress = [&](double weight) { progress.push_back(weight); };
    auto scene = std::make_unique<part_middle>();
    scene->load(&context_);
    EXPECT_TRUE(no_gl_error());
    EXPECT_DOUBLE_EQ(scene->clock().value(), 0.0);
    // Programs 1, sequence 26 · 0.3, cut-outs 4, textures 1 (and 0.1 from each of the four JPEG
    // loaders themselves), meshes 4, ropes 1.
    EXPECT_NEAR(std::accumulate(progress.begin(), progress.end(), 0.0), 1 + 7.8 + 4 + 1 + 0.4 + 4 + 1, 1e-9);
    EXPECT_EQ(std::count(progress.begin(), progress.end(), 0.3), 26);
    for (unsigned list : {3000u, 3001u, 5560u, 13000u, 15560u, 100u, 600u, 2100u, 2600u, 2601u})
        EXPECT_TRUE(glIsList(list)) << list;
    EXPECT_EQ(scene->marker(0).x, 0.0f) << "the pack's marker stands under the figure's hips";
    EXPECT_EQ(scene->marker(0).y, 108.0f);

    FrameState shared;
    shared.mode = 1;
    // Jumps to the stretches the viewer sees, each followed by an ordinary frame.
    double now = 0.0;
    for (double target : {3.0, 12.0, 20.0, 30.0, 36.0, 46.0, 52.5, 58.0, 65.0, 72.0}) {
        for (double dt : {(target - now) / 1.1, 0.05}) {
            scene->draw(&dt, &context_, &shared);
            now = shared.params[0];
        }
        SCOPED_TRACE(now);
        EXPECT_NEAR(now, target + 0.055, 1e-9);
        EXPECT_TRUE(no_gl_error());
        EXPECT_GT(brightness(window_picture()).spread, 4.0) << "a picture, not a flat colour";
        EXPECT_EQ(uniform(*scene, middle::compose, "isMiddleScene"), 0.0f);
        EXPECT_EQ(uniform(*scene, middle::compose, "SetBlur"), now > 51.8 ? 1.0f : 0.0f);
        EXPECT_EQ(uniform(*scene, middle::compose, "WhichBlur"), 1.0f);
    }
}

TEST_F(MiddleFrames, AFlashFrameLeavesTheClockWhereItWas) {
    auto scene = std::make_unique<part_middle>();
    scene->load(&context_);
    FrameState shared;
    double dt = 20.0;
    scene->draw(&dt, &context_, &shared);
    const double before = shared.params[0];
    shared.flash = true;
    dt = 0.1;
    scene->draw(&dt, &context_, &shared);
    EXPECT_DOUBLE_EQ(shared.params[0], before);
    EXPECT_DOUBLE_EQ(scene->clock().value(), before);
    shared.previous_flash = true;
    shared.flash = false;
    scene->draw(&dt, &context_, &shared);
    EXPECT_NEAR(shared.params[0], before + 1.1 * 0.2, 1e-9) << "rejoined the steady clock";
    EXPECT_TRUE(no_gl_error());
}

TEST_F(MiddleFrames, RenderingChangesNoStateALaterFrameReads) {
    // Up to the ropes, a stretch of them swinging (their sub-steps follow each frame's delta), a
    // flash and the frame after it.
    expect_rendering_changes_no_state<part_middle>({{22.0},
                                                    {1.0 / 30},
                                                    {1.0 / 60},
                                                    {0.2},
                                                    {1.0 / 30, true},
                                                    {1.0 / 30, true},
                                                    {1.0 / 30},
                                                    {5.0},
                                                    {1.0 / 30}});
}

}  // namespace
