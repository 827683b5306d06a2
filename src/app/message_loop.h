#pragma once
// The show's message loop: waiting events go to window_proc; every pass without one is an idle
// pass that draws a frame while the window is not minimised and presents the back buffer in any
// case. Escape (or a failed frame) does not leave the loop: it starts the quit sequence, which
// the frame driver completes by ending the process. Only the quit message leaves the loop.
#include <functional>

struct AppState;

// The idle pass's quit rule: the first pass that sees Escape held (or pressed since the previous
// pass: with software GL a frame can outlast a tap), or a failed frame, sets quit_requested and
// notes the show time in quit_time; later passes change nothing.
void note_quit_request(AppState& app, bool frame_failed, double show_time);

// One idle pass: a frame is drawn only while the window is active (not minimised), the quit rule
// is applied with the show time as the frame left it, and the back buffer is presented whether
// or not anything was drawn.
void idle_pass(AppState& app, const std::function<bool()>& draw, const double& show_time,
               const std::function<void()>& present);

// Installs `handler` for SIGINT and SIGTERM: one signal handled at a time, and whatever call a
// signal interrupts carries on. The show's handler below and capture's go through here.
void handle_stop_signals(void (*handler)(int));

// SIGINT (Ctrl-C) and SIGTERM end the show as Escape does: the loop reads them at its next idle
// pass. A second one ends the process at once with 128 + the signal number (130, 143), also
// while the show is still loading. Installed after the setup dialog, whose SDL handling turns
// these signals into its "Quit".
void catch_stop_signals();

// The idle pass's signal rule: after a stop signal, Escape counts as pressed; true when the loop
// is to be left at once instead, because the window is minimised and no frame would draw the
// quit sequence to its end.
bool note_stop_signal(AppState& app);

// Runs until the quit message, then releases the window; returns the exit code (0).
int run_message_loop();

// The frames the loop has drawn after its first one and the seconds since that first one: the
// frame rate the viewer saw once the show was playing (the load happens before the loop).
struct FramesShown {
    long frames = 0;
    double seconds = 0;
};
FramesShown frames_shown();
