#pragma once
// The opening's own clock. It runs slower than the show (0.7 of real time, and 0.45 of that
// before s = 17), jumps twice to 56 at fixed points of accumulated real time, and draws its
// second frame 60 s ahead once so that every resource the late part of the scene touches is
// warmed up before the viewer gets there (that frame is covered by a clear).
//
// Per frame: advance(dt) moves the clock and returns the value the frame draws with; the
// warm-up lead is in that value only, never in the clock.

namespace opening {

class OpeningClock {
public:
    static constexpr double start_value = 4.15;
    static constexpr double base_rate = 0.7;
    static constexpr double slow_factor = 0.45;  // while s < slow_until
    static constexpr double slow_until = 17.0;
    static constexpr double speed_trim = 1.0388;
    static constexpr double early_factor = 1.014;  // while s < late_from
    static constexpr double late_factor = 0.838;
    static constexpr double late_from = 103.0;
    static constexpr double jump_target = 56.0;
    // Each jump fires the first frame the accumulated real time lies strictly inside its window.
    static constexpr double first_jump_from = 38.0, first_jump_to = 57.0;
    static constexpr double second_jump_from = 57.0, second_jump_to = 83.0;
    static constexpr int warm_up_frame = 2;
    static constexpr double warm_up_lead = 60.0;

    // Clock change per elapsed second at clock value s.
    static double rate(double s);

    // Advances by dt elapsed seconds, applies the jumps and counts the frame. Returns the value
    // this frame draws with: the clock, plus warm_up_lead on the warm-up frame.
    double advance(double dt);

    double value() const { return scene_clock_; }
    bool warming_up() const { return frames_ == warm_up_frame; }
    int frames() const { return frames_; }
    float real_time() const { return real_time_; }

    bool operator==(const OpeningClock&) const = default;

private:
    double scene_clock_ = start_value;
    int frames_ = 0;
    float real_time_ = 0.0f;  // single precision, as the accumulator always was
    bool first_jump_done_ = false;
    bool second_jump_done_ = false;
};

}  // namespace opening
