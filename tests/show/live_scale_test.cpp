// The render scale following the live show, on a GL context with stand-in scenes that log their
// resizes and a clock the test moves: slow frames make the next cut draw smaller, and each scene
// keeps a scale of its own.
#include "show/live_scale.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/random.h"
#include "show/app_state.h"
#include "tests/support/gl_context.h"

namespace {

// Notes every resize with the render width it saw, and draws random numbers as making textures
// does.
class SizedScene : public parts {
public:
    explicit SizedScene(std::vector<int>& widths) : widths_(widths) {}
    void load(GraphicsContext*) override {}
    void advance(double, FrameState&) override {}
    void render(GraphicsContext&) override {}
    void rewind() override {}
    void resize(GraphicsContext&) override {
        widths_.push_back(app_state().render_width);
        for (int i = 0; i < 7; ++i) random_int();
    }

private:
    std::vector<int>& widths_;
};

class LiveScaleTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped()) return;
        AppState& app = app_state();
        app.picture_width = 640;
        app.picture_height = 360;
        ShowState& s = show_state();
        s.roster.slots.fill(nullptr);
        s.roster.slots[0] = &opening_;
        s.roster.slots[2] = &middle_;
        make_render_targets(1.0);
    }
    void TearDown() override { show_state().roster.slots.fill(nullptr); }

    // `frames` live frames of `slot`, each taking `ms`; the first one a cut when the slot changed.
    // Each is composed into the window, unless `black` (faded out: no pass drawn).
    void play(LiveScale& scale, int slot, int frames, double ms, bool flash_first = false,
              bool black = false) {
        ShowState& s = show_state();
        for (int f = 0; f < frames; ++f) {
            s.driver.scene_slot = slot;
            s.driver.flash.flash = flash_first && f == 0;
            scale.before_render(s);
            if (!black) ++s.graphics.composed_frames;
            now_ += ms / 1000.0;
        }
    }

    double now_ = 0;
    std::vector<int> opening_widths_, middle_widths_;
    SizedScene opening_{opening_widths_}, middle_{middle_widths_};
};

// Start-up made the targets at `scale` and chose it for the live budget too.
RenderScaleChoice choice(double scale) {
    RenderScaleChoice c;
    c.scale = c.live_scale = scale;
    return c;
}

TEST_F(LiveScaleTest, TheFirstFrameTakesTheScaleChosenForTheLiveBudget) {
    // The probe's choice for 24 frames per second was 0.5, for the live 30 it was 0.4: the
    // scenes start at the largest step not above it.
    RenderScaleChoice start = choice(0.5);
    start.live_scale = 0.4;
    make_render_targets(0.5);
    LiveScale scale(start, [this] { return now_; });
    play(scale, 0, 1, 10.0);
    EXPECT_EQ(scale.scale(), 0.35);
    EXPECT_EQ(app_state().render_width, 224);
    EXPECT_EQ(opening_widths_, std::vector<int>{224});
}

TEST_F(LiveScaleTest, SlowFramesDrawTheirSceneSmallerFromTheNextCutAndEachSceneKeepsItsOwnScale) {
    LiveScale scale(choice(1.0), [this] { return now_; });
    // The middle scene is slow at full size: it keeps drawing at 1 until a flash lets it change.
    play(scale, 2, 100, 60.0);
    EXPECT_EQ(app_state().render_width, 640);
    EXPECT_TRUE(middle_widths_.empty());
    play(scale, 2, 1, 60.0, true);
    EXPECT_EQ(scale.scale(), 0.87);
    EXPECT_EQ(app_state().render_width, 557);
    // Every loaded scene made its textures again at the new size.
    EXPECT_EQ(middle_widths_, std::vector<int>{557});
    EXPECT_EQ(opening_widths_, std::vector<int>{557});
    ASSERT_TRUE(no_gl_error());

    // A cut to the opening, which nothing has slowed: back to full size on the cut's frame.
    play(scale, 0, 10, 20.0);
    EXPECT_EQ(app_state().render_width, 640);
    // And the middle scene gets its smaller scale back at the next cut to it.
    play(scale, 2, 1, 40.0);
    EXPECT_EQ(app_state().render_width, 557);
    EXPECT_EQ(middle_widths_, (std::vector<int>{557, 640, 557}));
}

TEST_F(LiveScaleTest, WithoutACutOrFlashTheScaleChangesOnlyAfterALongWait) {
    LiveScale scale(choice(1.0), [this] { return now_; });
    play(scale, 2, 1, 60.0);
    play(scale, 2, DynamicScale::unseen_wait - 10, 60.0);
    EXPECT_EQ(scale.scale(), 1.0);
    play(scale, 2, 20, 60.0);
    EXPECT_EQ(scale.scale(), 0.87);
}

TEST_F(LiveScaleTest, AFrameFadedNearlyOutLetsTheNextOneChangeScale) {
    LiveScale scale(choice(1.0), [this] { return now_; });
    GraphicsContext& graphics = show_state().graphics;
    // Slow frames, no cut or flash: the scale waits.
    play(scale, 2, 100, 60.0);
    // The last frame composed half faded: still seen.
    graphics.composed_picture_shown = 0.5f;
    play(scale, 2, 1, 60.0);
    EXPECT_EQ(scale.scale(), 1.0);
    // Nearly black: the frame after it draws smaller.
    graphics.composed_picture_shown = LiveScale::dark;
    play(scale, 2, 1, 60.0);
    EXPECT_EQ(scale.scale(), 0.87);
    graphics.composed_picture_shown = 1.0f;

    // A frame faded out wholly (no pass drawn) hides a change as well.
    play(scale, 2, 100, 60.0);
    EXPECT_EQ(scale.scale(), 0.87);
    play(scale, 2, 1, 1.0, false, true);
    play(scale, 2, 1, 60.0);
    EXPECT_EQ(scale.scale(), 0.75);
}

TEST_F(LiveScaleTest, FramesFadedOutToBlackSayNothingOfTheirScenesCost) {
    LiveScale scale(choice(0.5), [this] { return now_; });
    play(scale, 2, 60, 30.0);
    // Hundreds of black frames, each far under the budget, and flashes among them: the middle
    // scene keeps the scale its drawn frames hold.
    play(scale, 2, DynamicScale::unseen_wait + 100, 1.0, false, true);
    play(scale, 2, 1, 1.0, true, true);
    EXPECT_EQ(scale.scale(), 0.5);
    EXPECT_TRUE(middle_widths_.empty());
    // Drawn frames as fast climb as far as the budget allows at the next flash.
    play(scale, 2, 60, 1.0);
    EXPECT_EQ(scale.scale(), 0.5);
    play(scale, 2, 1, 1.0, true);
    EXPECT_EQ(scale.scale(), 1.0);
}

TEST_F(LiveScaleTest, AResizeLeavesTheFramesRandomNumbersWhereAdvancingLeftThem) {
    LiveScale scale(choice(0.5), [this] { return now_; });
    seed_random(1234);
    const uint32_t before = show_random().state();
    play(scale, 0, 1, 10.0);  // the first frame is a cut: the start scale is made
    ASSERT_EQ(opening_widths_.size(), 0u) << "0.5 is one of the scales: nothing to make again";
    // Fast frames: the opening steps up to full size at its next flash.
    play(scale, 0, 60, 5.0);
    seed_random(1234);
    play(scale, 0, 1, 5.0, true);
    ASSERT_EQ(opening_widths_, std::vector<int>{640});
    EXPECT_EQ(show_random().state(), before);
}

}  // namespace
