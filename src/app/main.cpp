// brinefall: the setup dialog, then the show in its window until it ends or Escape has faded it.
#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/display_mode_list.h"
#include "app/gl_window.h"
#include "app/message_loop.h"
#include "app/setup_choice.h"
#include "app/setup_dialog.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "show/app_state.h"

namespace {

constexpr const char* usage =
    "usage: brinefall [--render-scale S|auto] [--author]\n"
    "  The setup dialog comes first, then the show; Escape ends it.\n"
    "  --render-scale S|auto  preselects the dialog's render scale (S: 0.1..1)\n"
    "  --author               preselects the dialog's author mode (pause, step, seek, overlay)\n"
    "  --help, --version      this text; the version\n";

// How smoothly the show played here: worth knowing on a machine without a GPU, where the render
// scale trades sharpness for frames.
void report_frame_rate() {
    // Author mode pauses and seeks: its frame rate is the overlay's to tell.
    if (app_state().author_mode) return;
    const FramesShown shown = frames_shown();
    if (shown.frames > 0 && shown.seconds > 0)
        std::printf("The show drew %ld frames in %.1f s: %.1f frames per second.\n", shown.frames,
                    shown.seconds, shown.frames / shown.seconds);
}

// Every end of the show that does not come back through the message loop (the end of the show,
// the completed quit sequence, start-up failures) comes here.
void end_process(int exit_code) {
    kill_gl_window();
    report_frame_rate();
    std::fflush(stdout);
    SDL_Quit();
    std::exit(exit_code);
}

}  // namespace

int main(int argc, char** argv) {
    AppState& app = app_state();
    // "--render-scale S|auto" preselects the dialog's render scale (./run.sh passes it on), and
    // "--author" its author mode.
    SetupOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("brinefall %s\n", BRINEFALL_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--author") == 0) {
            options.author_mode = true;
            continue;
        }
        const bool named = std::strcmp(argv[i], "--render-scale") == 0;
        if (!named || i + 1 >= argc || !parse_render_scale(argv[i + 1], options.render_scale)) {
            std::fprintf(stderr, "brinefall: %s: %s\n%s", argv[i],
                         named ? "needs a scale 0.1..1 or auto" : "unknown option", usage);
            return 2;
        }
        ++i;
    }
    if (!init_video()) {
        message_box("ERROR", "Failed To Register The Window Class.", MessageButtons::ok,
                    MessageIcon::exclamation);
        // Without a display nothing was shown: that is a failure, not an ending.
        std::fprintf(stderr,
                     "brinefall: no display found (SDL: %s). The show needs an X or Wayland "
                     "session; without one, ./run.sh renders it offline.\n",
                     SDL_GetError());
        return 1;
    }

    const std::vector<DisplayMode> modes = enumerate_display_modes();
    int selected = preselected_mode(modes);
    switch (show_setup_dialog(modes, options, selected)) {
        case SetupAnswer::run:
            break;
        case SetupAnswer::quit:
            SDL_Quit();
            return 0;
        case SetupAnswer::unavailable:
            message_box("ERROR", "Window Creation Error.", MessageButtons::ok, MessageIcon::exclamation);
            SDL_Quit();
            return 0;
    }
    if (selected < 0 || selected >= static_cast<int>(modes.size())) {
        // Only a display without any mode, not even a desktop mode, gets here.
        message_box("ERROR", "Program Will Now Close.", MessageButtons::ok, MessageIcon::stop);
        SDL_Quit();
        return 0;
    }
    apply_choice(run_choice(modes[selected], options), app);

    app.end_process = end_process;
    catch_stop_signals();
    if (!create_gl_window(window_title, app.window_width, app.window_height, 32, app.fullscreen)) {
        SDL_Quit();
        return 0;
    }
    const int exit_code = run_message_loop();
    report_frame_rate();
    SDL_Quit();
    return exit_code;
}
