#include "show/start_up.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <future>
#include <optional>

#include "anim/file_not_found.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "show/app_state.h"
#include "show/live_scale.h"
#include "show/render_scale.h"
#include "show/seek.h"
#include "show/show_state.h"

namespace {

constexpr int mix_rate = 44100;
constexpr int software_channels = 32;
constexpr const char* sound_caption = "OVK  ";
// A missing motion clip is reported as a missing JPEG is: the kind of file as the caption, the
// file name as the text.
constexpr const char* motion_caption = "Bvh";
// Scenes report progress with their own weights; the loading screen takes them at this rate.
constexpr double loading_step_weight = 0.567;
// The warm-up replays the show at capture's step.
constexpr int warm_up_fps = 30;

void present() {
    if (auto* window = static_cast<SDL_Window*>(show_state().graphics.window)) swap_window(window);
}

void sound_failure(const char* text, int exit_code) {
    message_box(sound_caption, text, MessageButtons::ok, MessageIcon::information);
    end_show(exit_code);
}

void show_loading_screen(ShowState& s) {
    s.roster.loader = nullptr;
    if (!s.scene_factories.loader) return;
    s.roster.loader = s.scene_factories.loader();
    s.roster.loader->load(&s.graphics);
    double no_step = 0;
    s.roster.loader->draw(&no_step, &s.graphics, &s.loading_frame);
    present();
}

// Returns false when the process was to end (only reached when end_process returns). The
// motion loader's fileNotFound is the show's one exception; a scene without its clips cannot
// be drawn, so the show ends here as it does for a missing texture.
bool load_scenes(ShowState& s) {
    s.roster.slots.fill(nullptr);
    for (int slot = 0; slot < show_scene_count; ++slot) {
        const SceneFactory& construct = s.scene_factories.scenes[slot];
        if (!construct) continue;
        try {
            s.roster.slots[slot] = construct();
            s.roster.slots[slot]->load(&s.graphics);
        } catch (const fileNotFound& missing) {
            message_box(motion_caption, missing.file_name, MessageButtons::ok, MessageIcon::information);
            end_show(0);
            return false;
        }
    }
    return true;
}

using PendingMusic = std::future<std::optional<MusicTrack>>;

// The music is decoded on a thread of its own while the scenes load: it is the longest single
// step of start-up and needs nothing but its file.
PendingMusic decode_music() {
    return std::async(std::launch::async, [] {
        MusicTrack track;
        return load_ogg_vorbis_file(kMusicFile, track) ? std::optional(std::move(track)) : std::nullopt;
    });
}

// The sound ready with its music, not yet playing. Returns false when the process was to end
// (only reached when end_process returns).
bool prepare_music(ShowState& s, PendingMusic& music) {
    if (!s.sound) s.sound = std::make_unique<LiveSound>();
    if (!s.sound->initialise(mix_rate, software_channels)) {
        sound_failure("Problem initializing FMod. \nProgram will now exit.", 1);
        return false;
    }
    std::optional<MusicTrack> track = music.get();
    if (!track) {
        sound_failure("Problem initializing FMod. \nNo sound file.", 0);
        return false;
    }
    s.sound->set_music(std::move(*track));
    return true;
}

void reset_frame_state(FrameState& f) {
    f.point_x = f.point_y = f.point_z = 0;
    f.adjust_b = 0;
    std::fill(std::begin(f.started), std::end(f.started), false);
    std::fill(std::begin(f.done), std::end(f.done), false);
    f.started[0] = true;
}

}  // namespace

void attach_show(SDL_Window* window, SceneFactories scenes) {
    ShowState& s = show_state();
    s.graphics.window = window;
    s.scene_factories = std::move(scenes);
}

void show_loading_progress(double step) {
    ShowState& s = show_state();
    if (!s.roster.loader) return;
    double weighted = step * loading_step_weight;
    s.roster.loader->draw(&weighted, &s.graphics, &s.frame);
    present();
}

void start_up() {
    ShowState& s = show_state();
    AppState& app = app_state();

    PendingMusic music = decode_music();
    // Multisampling is offered by the dialog but never used: the targets are made without it.
    app.antialias = false;
    s.graphics.end_process = [](int exit_code) { end_show(exit_code); };
    s.graphics.start_up(show_loading_progress, app.render_width, app.render_height, app.low_spec);
    // Creating the targets leaves one bound; the loading screen and the frames draw to the window.
    s.graphics.bind_window_framebuffer();
    app.capture_text.clear();

    s.loading_frame = FrameState{};
    s.loading_frame.mode = 1;

    show_loading_screen(s);
    s.live_scale.reset();
    if (app.render_scale_auto) {
        const RenderScaleChoice choice =
            measure_render_scale(s.graphics, app.picture_width, app.picture_height, app.low_spec);
        make_render_targets(choice.scale);
        s.live_scale = std::make_unique<LiveScale>(choice, [] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
        });
        std::printf(
            "render scale auto: %.2f (%dx%d rendered for a %dx%d picture; the probe took %.1f ms "
            "at full size and %.1f ms at %dx%d; a frame is estimated at %.1f ms%s)\n",
            choice.scale, app.render_width, app.render_height, app.picture_width, app.picture_height,
            choice.probe_ms, choice.reference_probe_ms, probe_reference_width, probe_reference_height,
            choice.estimated_ms,
            choice.estimated_ms > auto_frame_budget_ms ? ", slower than 24 frames per second even at the "
                                                         "smallest scale"
                                                       : "");
        std::fflush(stdout);
    }
    if (!load_scenes(s)) return;
    if (!prepare_music(s, music)) return;

    s.cues.initialise();
    s.driver.show_time = 0;
    reset_frame_state(s.frame);
    s.start_frame = s.frame;
    if (s.warm_up_every > 0) warm_up_show(s.warm_up_every, warm_up_fps);

    s.sound->play_music();
    s.sound->set_volume(music_channel, max_volume);
    s.timer.reset();
    s.driver.previous_reading = s.timer.reading();
}
