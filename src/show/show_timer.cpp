#include "show/show_timer.h"

#include "platform/steady_clock.h"

ShowTimer::ShowTimer() : clock_(steady_seconds) {}

void ShowTimer::reset() {
    elapsed_ = 0;
    last_count_ = clock_();
}

double ShowTimer::reading() {
    const double count = clock_();
    elapsed_ += count - last_count_;
    last_count_ = count;
    return elapsed_;
}
