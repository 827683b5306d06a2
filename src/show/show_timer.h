#pragma once
// The show clock's time source: seconds since the last reset, read once or twice per frame.
// The show reads the steady clock; capture hands it a clock that advances by a fixed step per
// frame, so a captured frame depends only on its frame number.
#include <functional>

class ShowTimer {
public:
    using Clock = std::function<double()>;  // seconds, arbitrary origin

    ShowTimer();  // on the steady clock
    explicit ShowTimer(Clock clock) : clock_(std::move(clock)) {}

    // elapsed = 0, and the clock's current value becomes the reference.
    void reset();
    // Adds the clock's advance since the previous reading (or reset) to the running total and
    // returns the total.
    double reading();

private:
    Clock clock_;
    double elapsed_ = 0;
    double last_count_ = 0;
};
