// brinefall-capture: runs the show's own start-up and frame driver on a hidden window with a
// fixed frame step and the offline sound, and writes what it draws as PNG frames, a video or
// frame-time figures. Same arguments, same pictures.
#include <GL/glew.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/gl_window.h"
#include "app/setup_choice.h"
#include "platform/message_box.h"
#include "platform/steady_clock.h"
#include "platform/window.h"
#include "render/pass_timer.h"
#include "scenes/show_scenes.h"
#include "show/app_state.h"
#include "show/frame_driver.h"
#include "show/show_state.h"
#include "show/start_up.h"
#include "tools/capture/capture_clock.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/contact_sheet.h"
#include "tools/capture/frame_output.h"
#include "tools/capture/frame_stats.h"
#include "tools/capture/gl_object_count.h"
#include "tools/capture/interrupt.h"
#include "tools/capture/process_memory.h"
#include "tools/capture/progress_bar.h"
#include "tools/capture/timed_scene.h"

namespace fs = std::filesystem;

namespace {

class Capture {
public:
    explicit Capture(const CaptureOptions& options)
        : options_(options), clock_(options.fps), progress_(last_frame(options)) {}

    // Everything up to the end of start-up; false (after a message) when there is no window.
    bool start();
    // Runs the frames, draws and writes those asked for; ends the process through finish.
    [[noreturn]] void run();
    // The show's own endings (the end of the show, start-up failures) come here through
    // AppState::end_process. One during start-up left nothing to capture, whatever its exit code.
    [[noreturn]] void show_ended(int exit_code);
    // Flushes and closes every output, then ends the process with the exit code.
    [[noreturn]] void finish(int exit_code);
    // SIGINT or SIGTERM arrived: everything written so far is closed, the exit code says which.
    [[noreturn]] void interrupted(int signal, long frame);

private:
    SceneFactories timed_factories(const SceneFactories& show);
    void report_gl_errors(const char* where);
    bool write_frame(long frame, double ms);

    CaptureOptions options_;
    FrameClock clock_;
    OfflineSound* sound_ = nullptr;  // null with --live-sound
    long resident_after_load_kb_ = -1;
    long resident_after_first_frame_kb_ = -1;
    std::vector<long long> resident_at_written_frames_kb_;
    HiddenGlWindow window_;
    FrameFolder folder_;
    VideoPipe video_;
    FrameStats stats_;
    ProgressBar progress_;
    std::unique_ptr<PassTimer> pass_timer_;  // with --profile
    int drew_slot_ = -1;
    int loader_drew_ = -1;  // the loading screen is not a roster slot: its draws go here
    bool running_ = false;  // start-up is over and frames are being simulated
};

// AppState::end_process is a plain function; it reaches the one capture through this.
Capture* g_capture = nullptr;

void end_capture(int exit_code) { g_capture->show_ended(exit_code); }

// The default show directory: show/ beside the program (the build's layout), else here.
fs::path default_show_dir() {
    std::error_code ec;
    const fs::path beside = fs::read_symlink("/proc/self/exe", ec).parent_path() / "show";
    return !ec && fs::is_directory(beside) ? beside : fs::current_path();
}

SceneFactories Capture::timed_factories(const SceneFactories& show) {
    SceneFactories timed;
    if (show.loader)
        timed.loader = [this, construct = show.loader] {
            return new TimedScene(
                construct(), -1, [this](double ms) { stats_.record_loader_load(ms); }, loader_drew_);
        };
    for (int slot = 0; slot < show_scene_count; ++slot)
        if (show.scenes[slot])
            timed.scenes[slot] = [this, slot, construct = show.scenes[slot]] {
                return new TimedScene(
                    construct(), slot, [this, slot](double ms) { stats_.record_scene_load(slot, ms); },
                    drew_slot_);
            };
    return timed;
}

bool Capture::start() {
    set_message_boxes_interactive(false);
    AppState& app = app_state();
    SetupOptions setup;
    setup.windowed = true;
    setup.force_16_9 = options_.force_16x9;
    setup.low_spec = options_.low_spec;
    setup.render_scale = options_.render_scale;
    apply_choice(run_choice({options_.width, options_.height}, setup), app);

    window_ = open_hidden_gl_window(app.window_width, app.window_height);
    if (!window_.window) {
        std::fprintf(stderr, "brinefall-capture: no GL window, %s (is there a display? try xvfb-run -a)\n",
                     window_.error.c_str());
        return false;
    }
    app.window = window_.window;
    app.end_process = end_capture;

    if (!options_.out.empty() && !folder_.open(options_.out)) return false;

    // What the show's window does before its start-up: the default projection, then the GL
    // defaults of init_gl (whose start-up call capture makes itself, with its timed scenes).
    resize_gl_scene(app.window_width, app.window_height);
    set_gl_defaults();

    ShowState& show = show_state();
    if (options_.live_sound) {
        show.sound = std::make_unique<LiveSound>();
    } else {
        auto sound = std::make_unique<OfflineSound>();
        sound_ = sound.get();
        show.sound = std::move(sound);
    }
    show.timer = ShowTimer([this] { return clock_.seconds(); });
    // Frame times are the show's only with its warm-up done; stills do not need it.
    if (options_.stats.empty()) show.warm_up_every = 0;
    attach_show(window_.window, timed_factories(show_scene_factories()));
    show.graphics.specialised_programs = !options_.reference_chain;

    const double start = steady_seconds();
    start_up();
    stats_.record_startup((steady_seconds() - start) * 1000.0);
    resident_after_load_kb_ = resident_kb();
    start_counting_gl_objects();
    report_gl_errors("during start-up");
    if (options_.profile) {
        // Timestamp queries where the GL has them, except on a software rasteriser: it stamps a
        // query when it sorts the commands into tiles, before it shades them, so the stamps
        // inside a pass would miss the pixel work. Otherwise glFinish at every pass boundary.
        const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        const bool software =
            renderer && (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe"));
        pass_timer_ = std::make_unique<PassTimer>((GLEW_ARB_timer_query || GLEW_VERSION_3_3) && !software);
        show.graphics.pass_timer = pass_timer_.get();
    }

    // The loading frames were presented; the back buffer starts black, not undefined.
    GLint framebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);

    if (!options_.video.empty() &&
        !video_.open(options_.video, app.window_width, app.window_height, options_.fps, options_.every,
                     kMusicFile, first_written_frame(options_) / static_cast<double>(options_.fps)))
        return false;
    return true;
}

void Capture::report_gl_errors(const char* where) {
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        progress_.finish();
        std::fprintf(stderr, "GL error 0x%04X %s\n", error, where);
    }
}

bool Capture::write_frame(long frame, double ms) {
    const AppState& app = app_state();
    const CapturedFrame pixels = read_window_pixels(app.window_width, app.window_height);
    const FrameState& f = show_state().frame;
    if (folder_.is_open() &&
        !folder_.write(frame, show_state().driver.show_time, drew_slot_, f.params[0], ms, pixels))
        return false;
    if (video_.is_open() && !video_.write(pixels)) {
        std::fprintf(stderr, "brinefall-capture: ffmpeg stopped taking frames\n");
        return false;
    }
    return true;
}

void Capture::run() {
    const long last = last_frame(options_);
    const bool writes = folder_.is_open() || video_.is_open();
    ShowState& show = show_state();
    running_ = true;
    for (long n = 0; last < 0 || n <= last; ++n) {
        if (const int signal = interrupt_signal()) interrupted(signal, n);
        clock_.set_frame(n);
        if (sound_) sound_->set_time(clock_.seconds());
        drew_slot_ = -1;
        const bool drawn = frame_is_drawn(options_, n);
        const bool rendered = drawn || frame_prepares_next(options_, n);

        const double start = steady_seconds();
        advance_frame(live_inputs(rendered));
        if (rendered) {
            render_frame();
            glFinish();
        }
        const double ms = (steady_seconds() - start) * 1000.0;
        finish_frame();

        const double show_time = show.driver.show_time;
        progress_.update(n, show_time);
        if (!rendered) continue;

        char where[64];
        std::snprintf(where, sizeof where, "at frame %ld (show time %.3f)", n, show_time);
        report_gl_errors(where);
        const PassTimer::FrameFigures figures =
            pass_timer_ ? pass_timer_->end_frame() : PassTimer::FrameFigures{};
        if (!drawn) continue;  // it only prepared the next frame

        stats_.record_frame(drew_slot_, ms);
        if (pass_timer_)
            stats_.record_passes(drew_slot_, ms, figures.pass_ms, figures.draw_calls, figures.state_changes);
        // Software GL allocates texture storage and compiles shader variants at their first
        // draw, so the loaded show is only fully resident once a frame has been drawn.
        if (resident_after_first_frame_kb_ < 0) resident_after_first_frame_kb_ = resident_kb();
        if (writes && frame_is_written(options_, n)) {
            if (!write_frame(n, ms)) finish(1);
            resident_at_written_frames_kb_.push_back(resident_kb());
        }
    }
    progress_.complete();
    finish(0);
}

void Capture::show_ended(int exit_code) {
    if (running_) {
        if (exit_code == 0) progress_.complete();
        finish(exit_code);
    }
    std::fprintf(stderr,
                 "brinefall-capture: the show stopped at start-up (exit code %d, see the message "
                 "above), so nothing was captured\n",
                 exit_code);
    finish(exit_code == 0 ? 1 : exit_code);
}

void Capture::interrupted(int signal, long frame) {
    progress_.finish();
    std::fprintf(stderr,
                 "brinefall-capture: %s: stopped before frame %ld (show time %.2f s); closing the "
                 "frames written so far\n",
                 interrupt_signal_name(signal), frame, show_state().driver.show_time);
    finish(128 + signal);
}

void Capture::finish(int exit_code) {
    progress_.finish();
    folder_.close();
    if (exit_code == 0 && !options_.sheet.empty()) {
        std::vector<SheetStill> stills;
        if (!read_frame_list(options_.out, stills) ||
            !write_contact_sheet(options_.out, stills, options_.sheet))
            exit_code = 1;
    }
    if (!video_.close()) {
        std::fprintf(stderr, "brinefall-capture: ffmpeg failed; %s is incomplete\n", options_.video.c_str());
        if (exit_code == 0) exit_code = 1;
    }
    if (!options_.stats.empty()) {
        if (running_) {
            ResourceUse use;
            use.resident_after_load_kb = resident_after_load_kb_;
            use.resident_after_first_frame_kb = resident_after_first_frame_kb_;
            use.resident_at_end_kb = resident_kb();
            use.peak_resident_kb = peak_resident_kb();
            use.gl_objects_created_after_load = gl_objects_created();
            use.resident_at_written_frames_kb = resident_at_written_frames_kb_;
            stats_.record_resources(use);
        }
        std::ofstream out(options_.stats);
        out << stats_.json() << "\n";
        if (!out) {
            std::fprintf(stderr, "brinefall-capture: cannot write %s\n", options_.stats.c_str());
            if (exit_code == 0) exit_code = 1;
        }
    }
    close_hidden_gl_window(window_);
    std::fflush(nullptr);
    std::_Exit(exit_code);
}

// Output paths are taken relative to where capture was started, before it enters the show
// directory.
void make_absolute(std::string& path) {
    if (!path.empty()) path = fs::absolute(path).string();
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(capture_usage, stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("brinefall-capture %s\n", BRINEFALL_VERSION);
            return 0;
        }
    CaptureOptions options;
    std::string error;
    if (!parse_capture_options(argc, argv, options, error)) {
        std::fprintf(stderr, "brinefall-capture: %s\n%s", error.c_str(), capture_usage);
        return 2;
    }
    make_absolute(options.out);
    make_absolute(options.video);
    make_absolute(options.stats);
    make_absolute(options.sheet);
    const fs::path show_dir = options.show_dir.empty() ? default_show_dir() : fs::path(options.show_dir);
    std::error_code ec;
    fs::current_path(show_dir, ec);
    if (ec) {
        std::fprintf(stderr, "brinefall-capture: cannot enter the show directory %s: %s\n", show_dir.c_str(),
                     ec.message().c_str());
        return 2;
    }
    // A video encoder that quits early must not kill capture on its next write.
    std::signal(SIGPIPE, SIG_IGN);
    catch_interrupts();

    static Capture capture(options);
    g_capture = &capture;
    if (!capture.start()) capture.finish(1);
    interrupts_stop_between_frames();
    capture.run();
}
