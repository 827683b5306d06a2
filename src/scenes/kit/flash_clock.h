#pragma once
// The clock of the toys, middle and final scenes. Beside the scene clock runs a steady clock
// that never stops. During a frame in a flash window the scene clock stands still and the frame
// is drawn a little ahead of it (the lead is taken back at the end of the frame); on the first
// frame after a flash the scene clock rejoins the steady clock, so the flash costs no time.
//
// Per frame:  t = clock.begin_frame(steady_step, scene_step, flash, previous_flash, lead);
//             ... draw with t ...
//             clock.end_frame();
// The steps are the scene's own rate rule applied to this frame's elapsed seconds.
class FlashClock {
public:
    // Scene clock and steady clock both at `start`.
    void reset(double start);
    // Advances both clocks and returns the value this frame draws with.
    double begin_frame(double steady_step, double scene_step, bool flash, bool previous_flash,
                       double flash_lead);
    // Takes this frame's flash lead back.
    void end_frame();
    // Moves the scene clock alone (a scene's jump over a stretch it never shows).
    void jump_to(double value) { value_ = value; }

    double value() const { return value_; }
    double steady() const { return steady_; }

private:
    double value_ = 0.0;
    double steady_ = 0.0;
    double lead_ = 0.0;
};
