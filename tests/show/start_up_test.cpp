// Start-up against stand-in scenes that log what happens to them, a sound output that can be
// told to fail, and a music file encoded on the spot.
#include "show/start_up.h"

#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "anim/file_not_found.h"
#include "platform/message_box.h"
#include "show/app_state.h"
#include "show/show_state.h"
#include "tests/platform/ogg_tone.h"
#include "tests/support/gl_context.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> g_log;
std::vector<int> g_exit_codes;

class LoggingScene : public parts {
public:
    explicit LoggingScene(std::string name) : name_(std::move(name)) {
        g_log.push_back("construct " + name_);
    }
    void advance(double step, FrameState& frame) override {
        const ShowState& s = show_state();
        const char* which = &frame == &s.loading_frame ? "loading" : &frame == &s.frame ? "shared" : "?";
        g_log.push_back("draw " + name_ + " " + std::to_string(step) + " " + which);
    }
    void render(GraphicsContext&) override {}
    void rewind() override {}
    void load(GraphicsContext* context) override {
        g_log.push_back("load " + name_);
        if (name_ == "clipless") throw fileNotFound("neomeshes//avatar_sit.bvh");
        // Loaders report progress as they go; the loading screen redraws each time.
        if (name_ != "loader") context->progress(1.0);
    }

private:
    std::string name_;
};

class SwitchableSound : public SoundOutput {
public:
    explicit SwitchableSound(bool starts) : starts_(starts) {}
    bool initialise(int mix_rate, int channels) override {
        g_log.push_back("sound " + std::to_string(mix_rate) + " " + std::to_string(channels));
        mix_rate_ = mix_rate;
        return starts_;
    }
    void play_music() override { g_log.push_back("play"); }
    void seek(double) override {}
    void pause(bool) override {}
    uint32_t position() override { return 0; }
    void close() override {}

protected:
    uint64_t frames_played() override { return 0; }

private:
    bool starts_;
};

SceneFactories logging_scenes() {
    SceneFactories f;
    f.loader = [] { return new LoggingScene("loader"); };
    const char* names[] = {"begin", "toys", "middle", "text"};
    for (int slot = 0; slot < show_scene_count; ++slot)
        f.scenes[slot] = [name = std::string(names[slot])] { return new LoggingScene(name); };
    return f;
}

class StartUpTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped()) return;
        set_message_boxes_interactive(false);
        g_log.clear();
        g_exit_codes.clear();
        AppState& app = app_state();
        app = AppState{};
        app.render_width = app.picture_width = app.window_width = kWidth;
        app.render_height = app.picture_height = app.window_height = kHeight;
        app.antialias = true;
        app.capture_text = "left over";
        app.end_process = [](int code) { g_exit_codes.push_back(code); };

        ShowState& s = show_state();
        s.driver = DriverState{};
        s.frame = FrameState{};
        s.warm_up_every = 0;  // the order of start-up's steps; the warm-up has a test of its own
        s.frame.point_x = 4;
        s.frame.adjust_b = 2;
        s.frame.started[3] = s.frame.done[5] = true;

        previous_dir_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("start_up_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        if (!dir_.empty()) {
            fs::current_path(previous_dir_);
            fs::remove_all(dir_);
        }
        show_state().roster = Roster{};
        show_state().sound.reset();
    }

    void add_music() {
        fs::create_directories(dir_ / "music");
        std::ofstream(dir_ / kMusicFile, std::ios::binary) << encode_ogg_tone(22050, 1, 0.5, 440.0, 0.5);
    }

    void run(bool sound_starts) {
        show_state().sound = std::make_unique<SwitchableSound>(sound_starts);
        attach_show(nullptr, logging_scenes());
        testing::internal::CaptureStderr();
        start_up();
        stderr_ = testing::internal::GetCapturedStderr();
    }

    fs::path previous_dir_, dir_;
    std::string stderr_;
};

TEST_F(StartUpTest, LoadsTheLoadingScreenThenEverySceneInOrderThenStartsTheMusic) {
    add_music();
    run(true);
    const std::string step = std::to_string(0.567);
    const std::vector<std::string> expected = {
        "construct loader", "load loader", "draw loader 0.000000 loading",
        "construct begin",  "load begin",  "draw loader " + step + " shared",
        "construct toys",   "load toys",   "draw loader " + step + " shared",
        "construct middle", "load middle", "draw loader " + step + " shared",
        "construct text",   "load text",   "draw loader " + step + " shared",
        "sound 44100 32",   "play",
    };
    EXPECT_EQ(g_log, expected);
    EXPECT_TRUE(g_exit_codes.empty());

    const ShowState& s = show_state();
    for (int slot = 0; slot < roster_slots; ++slot)
        EXPECT_EQ(s.roster.slots[slot] != nullptr, slot < show_scene_count) << slot;
    EXPECT_NE(s.roster.loader, nullptr);
    EXPECT_EQ(s.sound->volume(), 255);
}

TEST_F(StartUpTest, LeavesTheShowAtItsStart) {
    add_music();
    run(true);
    const ShowState& s = show_state();
    const AppState& app = app_state();
    EXPECT_EQ(s.driver.show_time, 0.0);
    EXPECT_LT(s.driver.previous_reading, 1.0);  // the timer was reset at the end
    EXPECT_EQ(s.cues.count(), 31u);
    EXPECT_EQ(s.frame.point_x, 0.0);
    EXPECT_EQ(s.frame.adjust_b, 0.0);
    EXPECT_TRUE(s.frame.started[0]);
    EXPECT_FALSE(s.frame.started[3]);
    EXPECT_FALSE(s.frame.done[5]);
    EXPECT_EQ(s.loading_frame.mode, 1);
    EXPECT_FALSE(app.antialias);
    EXPECT_TRUE(app.capture_text.empty());

    // The frames that follow draw to the window, not to a render target left bound.
    GLint framebuffer = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(StartUpTest, SoundThatCannotStartEndsWithCodeOneAfterEveryLoad) {
    add_music();
    run(false);
    EXPECT_EQ(g_exit_codes, (std::vector<int>{1}));
    EXPECT_NE(stderr_.find("OVK  : Problem initializing FMod. \nProgram will now exit."), std::string::npos)
        << stderr_;
    ASSERT_GE(g_log.size(), 2u);
    EXPECT_EQ(g_log[g_log.size() - 2], "draw loader " + std::to_string(0.567) + " shared");
    EXPECT_EQ(g_log.back(), "sound 44100 32");
}

TEST_F(StartUpTest, MissingMusicEndsWithCodeZero) {
    run(true);
    EXPECT_EQ(g_exit_codes, (std::vector<int>{0}));
    EXPECT_NE(stderr_.find("OVK  : Problem initializing FMod. \nNo sound file."), std::string::npos)
        << stderr_;
    EXPECT_EQ(g_log.back(), "sound 44100 32");  // never played
}

TEST_F(StartUpTest, AMissingMotionClipEndsTheLoadWithCodeZeroNamingTheFile) {
    add_music();
    show_state().sound = std::make_unique<SwitchableSound>(true);
    SceneFactories scenes = logging_scenes();
    scenes.scenes[1] = [] { return new LoggingScene("clipless"); };
    attach_show(nullptr, scenes);
    testing::internal::CaptureStderr();
    start_up();
    stderr_ = testing::internal::GetCapturedStderr();
    EXPECT_EQ(g_exit_codes, (std::vector<int>{0}));
    EXPECT_NE(stderr_.find("Bvh: neomeshes//avatar_sit.bvh"), std::string::npos) << stderr_;
    // Nothing after the scene that failed: no further scene, no music.
    EXPECT_EQ(g_log.back(), "load clipless");
}

TEST_F(StartUpTest, TheWarmUpRunsEverySceneAfterTheLoadsAndTheShowStartsRewound) {
    add_music();
    show_state().warm_up_every = 3.0;
    run(true);
    const auto sound = std::find(g_log.begin(), g_log.end(), "sound 44100 32");
    const auto play = std::find(g_log.begin(), g_log.end(), "play");
    ASSERT_NE(sound, g_log.end());
    ASSERT_EQ(play, g_log.end() - 1) << "the music starts last";
    // Between the sound's start and the music: the show replayed, scene after scene in order.
    std::vector<std::string> scenes;
    for (auto line = sound + 1; line != play; ++line) {
        ASSERT_EQ(line->rfind("draw ", 0), 0u) << *line;
        const std::string scene = line->substr(5, line->find(' ', 5) - 5);
        if (scenes.empty() || scenes.back() != scene) scenes.push_back(scene);
    }
    EXPECT_EQ(scenes, (std::vector<std::string>{"begin", "toys", "middle", "text"}));
    const ShowState& s = show_state();
    EXPECT_EQ(s.driver.show_time, 0.0);
    EXPECT_TRUE(s.frame == s.start_frame);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(StartUpTest, EmptyRosterSlotsStayEmpty) {
    add_music();
    SceneFactories only_toys;
    only_toys.scenes[1] = [] { return new LoggingScene("toys"); };
    show_state().sound = std::make_unique<SwitchableSound>(true);
    attach_show(nullptr, only_toys);
    start_up();
    const Roster& roster = show_state().roster;
    EXPECT_EQ(roster.loader, nullptr);
    EXPECT_EQ(roster.slots[0], nullptr);
    EXPECT_NE(roster.slots[1], nullptr);
    EXPECT_EQ(roster.slots[2], nullptr);
    // Progress without a loading screen draws nothing.
    EXPECT_EQ(g_log, (std::vector<std::string>{"construct toys", "load toys", "sound 44100 32", "play"}));
}

}  // namespace
