#include "tools/capture/progress_bar.h"

#include <algorithm>
#include <unistd.h>

#include <cstdio>

#include "platform/steady_clock.h"
#include "show/timeline.h"

namespace {
constexpr int bar_width = 30;
// Redrawn in place on a terminal; into a log, a line now and then.
constexpr double terminal_redraw_seconds = 0.2;
constexpr double log_line_seconds = 10.0;
}  // namespace

ProgressBar::ProgressBar(long total) : total_(total), terminal_(isatty(STDERR_FILENO) == 1) {}

void ProgressBar::update(long frame, double show_time) {
    frame_ = frame;
    show_time_ = show_time;
    const double now = steady_seconds();
    if (start_ < 0) start_ = now;
    const double interval = terminal_ ? terminal_redraw_seconds : log_line_seconds;
    if (last_draw_ >= 0 && now - last_draw_ < interval) return;
    last_draw_ = now;
    draw(std::clamp(total_ > 0 ? (frame + 1) / static_cast<double>(total_ + 1) : show_time / end_of_show, 0.0,
                    1.0),
         now);
}

// The last frames can pass between two lines of a log (the black frames after the built scenes
// take no time), so the end is always drawn.
void ProgressBar::complete() {
    const double now = steady_seconds();
    if (start_ < 0) start_ = now;
    draw(1.0, now);
    finish();
}

void ProgressBar::draw(double done, double now) {
    const int filled = static_cast<int>(done * bar_width);
    char bar[bar_width + 1];
    for (int i = 0; i < bar_width; ++i) bar[i] = i < filled ? '#' : '.';
    bar[bar_width] = 0;
    const double elapsed = now - start_;
    const double eta = done > 0 ? elapsed * (1 - done) / done : 0;
    std::fprintf(stderr, "%s[%s] %3d%%  frame %ld  show %7.2f s  ETA %4.0f s %s", terminal_ ? "\r" : "", bar,
                 static_cast<int>(done * 100), frame_, show_time_, eta, terminal_ ? "" : "\n");
    drawn_ = terminal_;
}

void ProgressBar::finish() {
    if (drawn_) std::fputc('\n', stderr);
    drawn_ = false;
}
