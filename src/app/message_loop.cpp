#include "app/message_loop.h"

#include <SDL2/SDL.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <optional>
#include <thread>

#include "app/author_mode.h"
#include "app/gl_window.h"
#include "app/window_proc.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "show/app_state.h"
#include "show/frame_driver.h"
#include "show/show_state.h"

namespace {

constexpr auto black_frame_interval = std::chrono::microseconds(1000000 / 60);

volatile std::sig_atomic_t g_stop_signal = 0;

void on_stop_signal(int signal) {
    if (g_stop_signal == 0) {
        g_stop_signal = signal;
        return;
    }
    static constexpr char again[] = "\nbrinefall: interrupted again; stopped at once\n";
    (void)!::write(STDERR_FILENO, again, sizeof again - 1);
    ::_exit(128 + signal);
}

FramesShown g_shown;
// When the first frame had been drawn; unset until then.
std::optional<std::chrono::steady_clock::time_point> g_playing_since;

// Counts a drawn frame; the first one only starts the clock.
void count_drawn_frame() {
    const auto now = std::chrono::steady_clock::now();
    if (!g_playing_since) {
        g_playing_since = now;
        return;
    }
    ++g_shown.frames;
    g_shown.seconds = std::chrono::duration<double>(now - *g_playing_since).count();
}

}  // namespace

FramesShown frames_shown() { return g_shown; }

void note_quit_request(AppState& app, bool frame_failed, double show_time) {
    if ((frame_failed || app.keys[key_escape] || app.escape_pressed) && !app.quit_requested) {
        app.quit_requested = true;
        app.quit_time = show_time;
    }
    app.escape_pressed = false;
}

void handle_stop_signals(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    // A write to a pipe or a file, a wait for the display: whatever was interrupted goes on.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void catch_stop_signals() { handle_stop_signals(on_stop_signal); }

bool note_stop_signal(AppState& app) {
    if (g_stop_signal == 0) return false;
    if (!app.active) return true;
    app.escape_pressed = true;
    return false;
}

void idle_pass(AppState& app, const std::function<bool()>& draw, const double& show_time,
               const std::function<void()>& present) {
    const bool frame_failed = app.active && !draw();
    note_quit_request(app, frame_failed, show_time);
    present();
}

int run_message_loop() {
    AppState& app = app_state();
    ShowState& show = show_state();
    std::unique_ptr<AuthorMode> author;
    if (app.author_mode) {
        author = std::make_unique<AuthorMode>();
        author->start(app.window);
    }
    const std::function<bool()> draw = author ? std::function<bool()>([&author] { return author->frame(); })
                                              : std::function<bool()>(draw_frame);
    auto last_present = std::chrono::steady_clock::now();
    for (;;) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            // Author mode's keys are its own; the show never sees them.
            if (author && event.type == SDL_KEYDOWN && author->key_down(virtual_key(event.key.keysym.sym)))
                continue;
            const WindowTarget target{app, show.frame, show.graphics.view_camera, show.driver.frame_dt,
                                      resize_gl_scene};
            if (window_proc(event, target)) break;
            continue;
        }
        if (note_stop_signal(app)) break;
        const long composed = show.graphics.composed_frames;
        idle_pass(app, draw, show.driver.show_time, [&] {
            // A frame faded out to black draws no pass and costs next to nothing: shown no more
            // often than a display refreshes, so that the show does not spin through thousands.
            if (show.graphics.composed_frames == composed)
                std::this_thread::sleep_until(last_present + black_frame_interval);
            swap_window(app.window);
            last_present = std::chrono::steady_clock::now();
            if (app.active) count_drawn_frame();
        });
    }
    kill_gl_window();
    return 0;
}
