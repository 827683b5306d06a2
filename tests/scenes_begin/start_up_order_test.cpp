// start_up with stand-in scenes and sound: the loading screen first (loaded, drawn once and
// presented), then the four scenes constructed and loaded strictly one after the other while the
// ring advances, and only then the sound. Without the music file the show ends (exit code 0)
// after every scene has loaded, with no frame drawn.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/sound.h"
#include "scenes/loader/part_loader.h"
#include "show/app_state.h"
#include "show/show_state.h"
#include "show/start_up.h"
#include "tests/support/gl_context.h"

namespace {

std::vector<std::string> events;

class StandInLoader : public part_loader {
public:
    void load(GraphicsContext*) override { events.push_back("loader load"); }
    void advance(double step, FrameState&) override { progress += step * 0.909; }
    void render(GraphicsContext&) override { events.push_back("loader draw"); }
};

class StandInScene : public parts {
public:
    explicit StandInScene(std::string name) : name_(std::move(name)) {}
    void load(GraphicsContext* context) override {
        events.push_back(name_ + " load");
        context->progress(1.0);
        events.push_back(name_ + " loaded");
    }
    void advance(double, FrameState&) override {}
    void render(GraphicsContext&) override { events.push_back(name_ + " draw"); }
    void rewind() override {}

private:
    std::string name_;
};

class StandInSound : public SoundOutput {
public:
    bool initialise(int mix_rate, int channels) override {
        events.push_back("sound " + std::to_string(mix_rate) + " " + std::to_string(channels));
        return true;
    }
    void play_music() override { events.push_back("play"); }
    void seek(double) override {}
    void pause(bool) override {}
    uint32_t position() override { return 0; }
    void close() override {}

protected:
    uint64_t frames_played() override { return 0; }
};

class StartUpOrder : public GlTest {};

TEST_F(StartUpOrder, LoadsEverySceneBeforeTheSoundAndEndsWithoutTheMusic) {
    set_message_boxes_interactive(false);
    const auto empty =
        std::filesystem::temp_directory_path() / ("brinefall_start_up_order_" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    ASSERT_EQ(chdir(empty.c_str()), 0);  // no music file here

    AppState& app = app_state();
    app.render_width = app.picture_width = app.window_width = kWidth;
    app.render_height = app.picture_height = app.window_height = kHeight;
    app.end_process = [](int code) { events.push_back("end " + std::to_string(code)); };

    SceneFactories factories;
    factories.loader = [] {
        events.push_back("construct loader");
        return new StandInLoader;
    };
    const char* names[] = {"begin", "toys", "middle", "text"};
    for (int slot = 0; slot < kShowScenes; ++slot)
        factories.scenes[slot] = [name = std::string(names[slot])] {
            events.push_back("construct " + name);
            return new StandInScene(name);
        };
    attach_show(nullptr, factories);
    show_state().sound = std::make_unique<StandInSound>();
    show_state().warm_up_every = 0;
    start_up();

    const std::vector<std::string> expected = {"construct loader", "loader load",    "loader draw",
                                               "construct begin",  "begin load",     "loader draw",
                                               "begin loaded",     "construct toys", "toys load",
                                               "loader draw",      "toys loaded",    "construct middle",
                                               "middle load",      "loader draw",    "middle loaded",
                                               "construct text",   "text load",      "loader draw",
                                               "text loaded",      "sound 44100 32", "end 0"};
    EXPECT_EQ(events, expected);
    // The ring took four reported units of 1.0, at 0.567 x 0.909 each.
    auto* loader = static_cast<part_loader*>(show_state().roster.loader);
    EXPECT_NEAR(loader->progress, 4 * 0.567 * 0.909, 1e-12);
    for (int slot = 0; slot < kShowScenes; ++slot) EXPECT_NE(show_state().roster.slots[slot], nullptr);
    app.end_process = nullptr;
}

}  // namespace
