// The frame driver against stand-in scenes, a sound output whose position the test sets, and a
// timer clock the test moves: every show time below is exact, so the boundaries are too.
#include "show/frame_driver.h"
#include "show/seek.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "core/random.h"
#include "show/app_state.h"
#include "show/show_state.h"
#include "show/timeline.h"
#include "tests/support/gl_context.h"

namespace {

// Music at a position the test chooses, counted in milliseconds, so position / rate is exactly
// the decimal the test wrote.
class SetSound : public SoundOutput {
public:
    bool initialise(int, int) override {
        mix_rate_ = 1000;
        return true;
    }
    void play_music() override {}
    void seek(double seconds) override { sought = seconds; }
    void pause(bool) override {}
    uint32_t position() override { return static_cast<uint32_t>(frames_played()); }
    void close() override { ++closed; }
    void set_time(double seconds) { frame = static_cast<uint64_t>(std::llround(seconds * 1000)); }

    uint64_t frame = 0;
    int closed = 0;
    double sought = -1;

protected:
    uint64_t frames_played() override { return frame; }
};

// Logs its slot into `advanced` and `rendered` as the driver runs it.
class StandInScene : public parts {
public:
    StandInScene(int slot, std::vector<int>& advanced, std::vector<int>& rendered)
        : slot_(slot), advanced_(advanced), rendered_(rendered) {}
    void load(GraphicsContext*) override {}
    void advance(double frame_dt, FrameState& frame) override {
        advanced_.push_back(slot_);
        if (on_advance) on_advance(frame_dt, frame);
    }
    void render(GraphicsContext&) override {
        rendered_.push_back(slot_);
        if (on_render) on_render();
    }
    void rewind() override { ++rewinds; }

    int rewinds = 0;
    std::function<void(double, FrameState&)> on_advance;
    std::function<void()> on_render;

private:
    int slot_;
    std::vector<int>& advanced_;
    std::vector<int>& rendered_;
};

std::vector<int> g_exit_codes;

class FrameDriverTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped()) return;
        ShowState& s = show_state();
        s.driver = DriverState{};
        s.frame = FrameState{};
        s.cues.initialise();
        auto sound = std::make_unique<SetSound>();
        sound->initialise(44100, 32);
        sound_ = sound.get();
        s.sound = std::move(sound);
        s.timer = ShowTimer([this] { return clock_; });
        s.timer.reset();
        s.driver.previous_reading = s.timer.reading();
        for (int slot = 0; slot < show_scene_count; ++slot) {
            scenes_[slot] = std::make_unique<StandInScene>(slot, drawn_, rendered_);
            s.roster.slots[slot] = scenes_[slot].get();
        }

        AppState& app = app_state();
        app = AppState{};
        app.render_width = app.picture_width = app.window_width = kWidth;
        app.render_height = app.picture_height = app.window_height = kHeight;
        app.end_process = [](int code) { g_exit_codes.push_back(code); };
        g_exit_codes.clear();
    }
    void TearDown() override {
        ShowState& s = show_state();
        s.roster = Roster{};
        s.sound.reset();
        s.timer = ShowTimer();
    }

    // One frame that starts at show time t with the music exactly there, after a timer step.
    void frame_at(double t, double timer_step = 0) {
        show_state().driver.show_time = t;
        sound_->set_time(t);
        clock_ += timer_step;
        draw_frame();
    }
    double show_time() const { return show_state().driver.show_time; }

    SetSound* sound_ = nullptr;
    double clock_ = 50.0;
    std::vector<int> drawn_, rendered_;  // the slots advanced and rendered
    std::unique_ptr<StandInScene> scenes_[show_scene_count];
};

TEST_F(FrameDriverTest, OneSceneDrawsPerWindowAndNoneAtExactly361) {
    const struct {
        double t;
        std::vector<int> drawn;
    } cases[] = {
        {0.0, {0}},   {76.799, {0}},  {76.8, {1}}, {288.999, {1}},
        {289.0, {2}}, {360.999, {2}}, {361.0, {}}, {361.001, {3}},
    };
    for (const auto& c : cases) {
        drawn_.clear();
        frame_at(c.t);
        EXPECT_EQ(show_time(), c.t);
        EXPECT_EQ(drawn_, c.drawn) << c.t;
    }
}

TEST_F(FrameDriverTest, TheSceneAdvancedIsTheSceneRenderedEvenIfItTouchesTheShowTime) {
    // A scene has no say over the show time; one that writes it anyway does not hand over.
    scenes_[0]->on_advance = [](double, FrameState&) { show_state().driver.show_time = 100.0; };
    frame_at(70.0);
    EXPECT_EQ(drawn_, (std::vector<int>{0}));
    EXPECT_EQ(rendered_, (std::vector<int>{0}));
}

TEST_F(FrameDriverTest, AnAdvancedFrameDrawsNothingAndTheNextDrawnFrameRendersItsOwnScene) {
    show_state().driver.show_time = 76.0;
    sound_->set_time(76.0);
    clock_ += 0.5;
    advance_frame(live_inputs(false));
    finish_frame();
    EXPECT_EQ(drawn_, (std::vector<int>{0}));
    EXPECT_TRUE(rendered_.empty());
    EXPECT_EQ(show_state().driver.scene_slot, 0);

    clock_ += 0.5;
    draw_frame();  // past 76.8: the toys scene advances and renders
    EXPECT_EQ(drawn_, (std::vector<int>{0, 1}));
    EXPECT_EQ(rendered_, (std::vector<int>{1}));
}

TEST_F(FrameDriverTest, EmptySlotsAreSkipped) {
    show_state().roster.slots[1] = nullptr;
    frame_at(100.0);
    EXPECT_TRUE(drawn_.empty());
    frame_at(10.0);
    EXPECT_EQ(drawn_, (std::vector<int>{0}));
}

TEST_F(FrameDriverTest, AnEmptySlotInItsWindowShowsBlack) {
    show_state().roster.slots[1] = nullptr;
    glClearColor(0.2f, 0.6f, 0.9f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    frame_at(95.0);  // the toys window, and no overlay or flash window holds 95 s
    unsigned char pixel[4] = {1, 1, 1, 1};
    glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0] + pixel[1] + pixel[2], 0);
}

TEST_F(FrameDriverTest, TheShowClockFollowsTheMusicUntil470) {
    const double tenth = static_cast<double>(0.1f);
    show_state().driver.show_time = 100.0;
    sound_->set_time(101.0);
    clock_ += 0.02;
    draw_frame();
    // The timer's step is a difference of clock readings: exact only to rounding.
    EXPECT_NEAR(show_state().driver.frame_dt, 0.02 + tenth, 1e-12);
    EXPECT_NEAR(show_time(), 100.0 + 0.02 + tenth, 1e-12);
    EXPECT_DOUBLE_EQ(show_state().frame.show_time, show_time());

    show_state().driver.show_time = 480.0;
    sound_->set_time(481.0);
    clock_ += 0.02;
    draw_frame();
    EXPECT_NEAR(show_state().driver.frame_dt, 0.02, 1e-12);
}

TEST_F(FrameDriverTest, ANegativeTimerStepAdvancesOnlyByTheCorrection) {
    show_state().driver.show_time = 200.0;
    sound_->set_time(200.5);
    clock_ -= 0.3;
    draw_frame();
    EXPECT_DOUBLE_EQ(show_time(), 200.0 + 0.5 * static_cast<double>(0.1f));
}

TEST_F(FrameDriverTest, RandomNumbersDependOnTheShowTimeAlone) {
    std::vector<int> draws;
    scenes_[1]->on_render = [&draws] {
        draws.push_back(random_int());
        draws.push_back(random_int());
    };
    frame_at(123.456);
    random_int();  // whatever happened in between
    frame_at(123.456, 0.0);
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[0], draws[2]);
    EXPECT_EQ(draws[1], draws[3]);

    // However much a drawn frame drew unseeded, or whether it was drawn at all, the next frame
    // starts from its own seed: the generator carries nothing from one frame to the next.
    std::vector<int> after_drawn, after_skipped;
    scenes_[1]->on_render = [] {
        for (int i = 0; i < 1000; ++i) random_int();
    };
    scenes_[1]->on_advance = [&after_drawn](double, FrameState&) { after_drawn.push_back(random_int()); };
    frame_at(200.0);
    frame_at(201.0);
    scenes_[1]->on_advance = [&after_skipped](double, FrameState&) { after_skipped.push_back(random_int()); };
    show_state().driver.show_time = 200.0;
    sound_->set_time(200.0);
    advance_frame(live_inputs(false));
    frame_at(201.0);
    ASSERT_EQ(after_drawn.size(), 2u);
    ASSERT_EQ(after_skipped.size(), 2u);
    EXPECT_EQ(after_drawn[1], after_skipped[1]);

    // The seed is taken before the frame's advance, then fifty numbers are discarded.
    RandomGenerator expected(123456000u);
    for (int i = 0; i < 50; ++i) expected.draw();
    EXPECT_EQ(draws[0], expected.draw());
}

TEST_F(FrameDriverTest, FillsTheSharedRecordBeforeTheSceneDraws) {
    AppState& app = app_state();
    app.keys[65] = 1;
    app.wheel_total = -3;
    FrameState& shared = show_state().frame;
    shared.camera_x = 7;
    shared.cleared_a = 9;
    FrameState seen;
    scenes_[1]->on_advance = [&seen](double, FrameState& frame) { seen = frame; };

    // The cue is looked up before the advance: 79.999 is in the opening range (9) even though
    // the frame then lands past 80.0, in the first toys cue (1).
    show_state().driver.show_time = 79.999;
    sound_->set_time(79.999);
    clock_ += 0.002;
    draw_frame();
    EXPECT_EQ(seen.cue_value, 9);
    EXPECT_NEAR(seen.show_time, 80.001, 1e-9);
    EXPECT_EQ(seen.show_time, show_time());
    EXPECT_EQ(seen.key_state[65], 1);
    EXPECT_EQ(seen.key_state[66], 0);
    EXPECT_EQ(seen.wheel_notches, -3);
    EXPECT_EQ(seen.camera_x, 0.0);
    EXPECT_EQ(seen.cleared_a, 0);
    EXPECT_EQ(seen.mode, 1);
}

TEST_F(FrameDriverTest, FlashAndPreviousFlash) {
    FrameState seen;
    for (auto& scene : scenes_) scene->on_advance = [&seen](double, FrameState& frame) { seen = frame; };

    frame_at(113.05);
    EXPECT_TRUE(seen.flash);
    EXPECT_FALSE(seen.previous_flash);
    frame_at(113.2);
    EXPECT_FALSE(seen.flash);
    EXPECT_TRUE(seen.previous_flash);
    frame_at(390.5);
    EXPECT_TRUE(seen.flash);

    // With an overlay the picture is drawn over the frame, without GL errors.
    frame_at(204.5);
    EXPECT_TRUE(seen.flash);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(FrameDriverTest, WhatTheSceneKeepsInItsCopySurvivesTheFrame) {
    scenes_[1]->on_advance = [](double, FrameState& shared) {
        FrameState copy = shared;
        shared.params[5] = 55;  // written into the shared record: replaced at the end
        copy.params[0] = 42;    // the scene's clock, kept
        copy.picked_points.push_back(Vector3(1, 2, 3));
        shared = copy;
    };
    frame_at(150.0);
    const FrameState& f = show_state().frame;
    EXPECT_EQ(f.params[5], 0.0);
    EXPECT_EQ(f.params[0], 42.0);
    ASSERT_EQ(f.picked_points.size(), 1u);
    EXPECT_EQ(f.picked_points[0], Vector3(1, 2, 3));
}

TEST_F(FrameDriverTest, MusicFadesToOneAndTheShowEndsAfter506) {
    frame_at(500.0);
    EXPECT_EQ(sound_->volume(), 128);
    frame_at(505.0);
    EXPECT_EQ(sound_->volume(), 1);
    EXPECT_TRUE(g_exit_codes.empty());
    frame_at(506.0);
    EXPECT_TRUE(g_exit_codes.empty());

    frame_at(506.001);
    EXPECT_EQ(g_exit_codes, (std::vector<int>{0}));
    EXPECT_EQ(sound_->closed, 1);
}

TEST_F(FrameDriverTest, QuitFadeCompletesOnTheFrameAfterEscape) {
    AppState& app = app_state();
    app.capture_text = "Cam :1,2,3  \n";
    app.quit_requested = true;
    app.quit_time = 250.0;

    // The frame of the request itself: the fade has not started.
    frame_at(250.0);
    EXPECT_EQ(show_state().frame.params[quit_fade_param], 1.0);
    EXPECT_EQ(sound_->volume(), 255);
    EXPECT_TRUE(g_exit_codes.empty());

    frame_at(250.0, 0.016);
    EXPECT_EQ(show_state().frame.params[quit_fade_param], 0.0);
    EXPECT_EQ(sound_->volume(), 0);
    EXPECT_EQ(g_exit_codes, (std::vector<int>{0}));
    EXPECT_EQ(sound_->closed, 1);
    EXPECT_TRUE(no_gl_error());
    if (SDL_HasClipboardText()) {
        char* text = SDL_GetClipboardText();
        EXPECT_STREQ(text, "Cam :1,2,3  \n");
        SDL_free(text);
    }
}

TEST_F(FrameDriverTest, ASeekReplaysFromTheStartAndDrawsOnlyTheLastTwoFrames) {
    ShowState& s = show_state();
    s.start_frame = FrameState{};
    s.start_frame.started[0] = true;
    s.frame.params[7] = 3;  // whatever the frames before left: the replay starts from the start
    frame_at(250.0);
    drawn_.clear();
    rendered_.clear();
    clock_ += 3.0;

    const double reached = seek_show(120.0, 30);
    EXPECT_NEAR(reached, 120.0, 1.5 / 30);
    for (const auto& scene : scenes_) EXPECT_EQ(scene->rewinds, 1);
    // Frames at 1/30 s from 0: the opening's then the toys' (76.8 s), the last two drawn.
    EXPECT_NEAR(static_cast<double>(drawn_.size()), 120.0 * 30, 2.0);
    EXPECT_EQ(drawn_.front(), 0);
    EXPECT_EQ(drawn_.back(), 1);
    EXPECT_EQ(rendered_, (std::vector<int>{1, 1}));
    EXPECT_TRUE(s.frame.started[0]);
    EXPECT_EQ(s.frame.params[7], 0.0);
    // The music is where the drawn frame's music was, and the live timer goes on from now.
    EXPECT_NEAR(sound_->sought, s.driver.music_time, 1e-9);
    EXPECT_NEAR(sound_->sought, 120.0, 2.0 / 30);
    clock_ += 0.5;
    draw_frame();
    EXPECT_NEAR(s.driver.show_time, reached + 0.5 + (s.driver.music_time - reached) * 0.1f, 0.02);

    // Back, to the start and past the end: clamped to the show.
    EXPECT_LT(seek_show(-5.0, 30), 3.0 / 30);
    EXPECT_NEAR(seek_show(900.0, 10), end_of_show, 0.15);
}

}  // namespace
