// brinefall: the setup dialog, then the show in its window until it ends or Escape has faded it.
#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "app/display_mode_list.h"
#include "app/gl_window.h"
#include "app/message_loop.h"
#include "app/setup_dialog.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "show/app_state.h"

namespace {

// Every end of the show that does not come back through the message loop (the end of the show,
// the completed quit sequence, start-up failures) comes here.
void end_process(int exit_code) {
    kill_gl_window();
    std::fflush(stdout);
    SDL_Quit();
    std::exit(exit_code);
}

}  // namespace

int main() {
    AppState& app = app_state();
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
    SetupOptions options;
    int selected = preselected_mode(modes);
    switch (show_setup_dialog(modes, options, selected)) {
        case SetupAnswer::run: break;
        case SetupAnswer::quit: SDL_Quit(); return 0;
        case SetupAnswer::unavailable:
            message_box("ERROR", "Window Creation Error.", MessageButtons::ok,
                        MessageIcon::exclamation);
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
    if (!create_gl_window(window_title, app.window_width, app.window_height, 32, app.fullscreen)) {
        SDL_Quit();
        return 0;
    }
    const int exit_code = run_message_loop();
    SDL_Quit();
    return exit_code;
}
