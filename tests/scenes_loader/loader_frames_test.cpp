// The loading screen drawn for real on the hidden window, with its pictures from the asset pack
// in the show directory (skipped when the pack has not been generated).
#include <cmath>

#include "core/frame_state.h"
#include "scenes/loader/part_loader.h"
#include "tests/support/scene_test.h"

namespace {

class LoaderFrames : public SceneTest {
protected:
    void SetUp() override { set_up_scene({"textures/theloader3.jpg"}); }
};

TEST_F(LoaderFrames, RingIsBlackFirstThenGrowsClockwise) {
    part_loader loader;
    loader.load(&context_);
    EXPECT_TRUE(no_gl_error());
    FrameState unused;
    double step = 0.0;
    loader.draw(&step, &context_, &unused);
    Picture black = window_picture();
    int lit = 0;
    for (size_t i = 0; i < black.rgb.size(); ++i) lit += black.rgb[i] > 8;
    EXPECT_EQ(lit, 0) << "the loading screen stays black before progress 2";

    step = 25.0 / 0.909;  // progress 25: the half ring on the right
    loader.draw(&step, &context_, &unused);
    EXPECT_NEAR(loader.progress, 25.0, 1e-9);
    Picture half = window_picture();
    // The ring's body at radius 4.15 seen from 9.9 with a 65-degree view over the render area,
    // which starts at the window's bottom.
    const double pixels_per_unit = (render_height / 2.0) / (9.9 * std::tan(32.5 * 3.14159265 / 180.0));
    const int r = static_cast<int>(std::lround(4.15 * pixels_per_unit));
    const int cx = kWidth / 2, cy = render_height / 2;
    EXPECT_GT(half.at(cx + r, cy)[0], 150) << "3 o'clock is on the arc";
    EXPECT_LT(half.at(cx - r, cy)[0], half.at(cx + r, cy)[0] / 2) << "9 o'clock is not yet";
    EXPECT_TRUE(no_gl_error());
}

}  // namespace
