#include "tools/capture/progress_bar.h"

#include <algorithm>
#include <cstdio>

#include "platform/steady_clock.h"
#include "show/timeline.h"

namespace {
constexpr int kBarWidth = 30;
constexpr double kRedrawSeconds = 0.2;
}  // namespace

void ProgressBar::update(long frame, double show_time) {
    const double now = steady_seconds();
    if (start_ < 0) start_ = now;
    if (last_draw_ >= 0 && now - last_draw_ < kRedrawSeconds) return;
    last_draw_ = now;

    const double done = std::clamp(total_ > 0 ? (frame + 1) / static_cast<double>(total_ + 1)
                                              : show_time / kEndOfShow,
                                   0.0, 1.0);
    const int filled = static_cast<int>(done * kBarWidth);
    char bar[kBarWidth + 1];
    for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = 0;
    const double elapsed = now - start_;
    const double eta = done > 0 ? elapsed * (1 - done) / done : 0;
    std::fprintf(stderr, "\r[%s] %3d%%  frame %ld  show %7.2f s  ETA %4.0f s ", bar,
                 static_cast<int>(done * 100), frame, show_time, eta);
    drawn_ = true;
}

void ProgressBar::finish() {
    if (drawn_) std::fputc('\n', stderr);
    drawn_ = false;
}
