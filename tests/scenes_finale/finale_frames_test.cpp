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
#include "scenes/finale/finale_programs.h"
#include "scenes/finale/part_text.h"
#include "show/app_state.h"
#include "tests/support/scene_test.h"

namespace {

class FinalScene : public SceneTest {
protected:
    void SetUp() override {
        set_up_scene({"neomeshes/wall.objt", "neomeshes/ant.objt", "neomeshes/Asm1.objt", "textures/tile.jpg",
                      "neomeshes/avatar_run2.bvh", "Other/Materials4/f_material1.glsl",
                      "Other/PostProcessing/f_blurpasstoy3.glsl"});
    }

    // Elapsed seconds that bring the clock from `from` to `to` in one frame (no flash): a frame
    // that ends above 42 is trimmed over its whole step.
    static double step_to(double from, double to) {
        return (to - from) /
               (to > finale::trim_above ? finale::clock_rate - finale::trim_rate : finale::clock_rate);
    }
};

TEST_F(FinalScene, EveryProgramCompilesAndLinksFromTheShowDirectory) {
    for (const ProgramEntry& entry : finale::programs) {
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
    for (const ProgramEntry& entry : finale::programs) {
        SCOPED_TRACE(entry.fragment);
        load_program_entry(probe, context_, entry);
        EXPECT_TRUE(probe.loaded(entry.slot));
    }
    EXPECT_TRUE(no_gl_error());
}

TEST_F(FinalScene, LoadBuildsThePathsAndSetsTheClock) {
    part_text scene;
    scene.load(&context_);
    EXPECT_DOUBLE_EQ(scene.clock().value(), 25.0);
    EXPECT_DOUBLE_EQ(scene.clock().steady(), 25.0);
    EXPECT_EQ(scene.reload_count(), 2000);
    ASSERT_EQ(scene.flight_paths().size(), 1408u);
    int moving = 0;
    for (const finale::FlightPath& path : scene.flight_paths()) moving += path.offsets.back().z != 0.0f;
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
        const Brightness b = brightness(window_picture());
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
    EXPECT_DOUBLE_EQ(shared.params[0], 25.0 + 2.0 * finale::clock_rate * 0.5);
    EXPECT_EQ(scene.reload_count(), 2001);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(FinalScene, RenderingChangesNoStateALaterFrameReads) {
    // The camera turning (its streak is state), a flash, the wall flying apart, the credits.
    expect_rendering_changes_no_state<part_text>(
        {{1.0 / 30}, {1.0 / 30}, {0.05, true}, {0.05}, {30.0}, {1.0 / 30}, {60.0}, {1.0 / 30}});
}

}  // namespace
