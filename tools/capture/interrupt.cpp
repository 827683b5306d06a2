#include "tools/capture/interrupt.h"

#include <SDL2/SDL.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>

#include "app/message_loop.h"

namespace {

volatile std::sig_atomic_t g_signal = 0;
volatile std::sig_atomic_t g_between_frames = 0;

// Only async-signal-safe calls here: write and _exit.
void say(const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(STDERR_FILENO, text, length);
        if (written <= 0) return;
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

void on_signal(int signal) {
    if (g_between_frames && g_signal == 0) {
        g_signal = signal;
        return;
    }
    static constexpr char during_start_up[] =
        "\nbrinefall-capture: interrupted during start-up; nothing was captured\n";
    static constexpr char second[] = "\nbrinefall-capture: interrupted again; stopped at once\n";
    if (g_between_frames)
        say(second, sizeof second - 1);
    else
        say(during_start_up, sizeof during_start_up - 1);
    ::_exit(128 + signal);
}

}  // namespace

void catch_interrupts() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    handle_stop_signals(on_signal);
}

void interrupts_stop_between_frames() { g_between_frames = 1; }

int interrupt_signal() { return g_signal; }

const char* interrupt_signal_name(int signal) { return signal == SIGINT ? "SIGINT" : "SIGTERM"; }
