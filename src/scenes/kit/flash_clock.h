#pragma once
// The clock of the toys, middle and final scenes. Beside the scene clock runs a steady clock
// that never stops. During a frame in a flash window the scene clock stands still and the frame
// is drawn a little ahead of it; on the first frame after a flash the scene clock rejoins the
// steady clock, so the flash costs no time.
//
// Per frame:  t = clock.advance(steady_step, scene_step, flash, previous_flash, lead);
// The steps are the scene's own rate rule applied to this frame's elapsed seconds.
class FlashClock {
public:
    // Scene clock and steady clock both at `start`.
    void reset(double start);
    // Advances both clocks by one frame and returns the value this frame draws with: the scene
    // clock, plus flash_lead during a flash.
    double advance(double steady_step, double scene_step, bool flash, bool previous_flash, double flash_lead);
    // Moves the scene clock so that this frame draws at `drawn` (a scene's jump over a stretch it
    // never shows); a flash's lead stays out of the clock.
    void jump_to(double drawn) { value_ = drawn - lead_; }

    double value() const { return value_; }
    double steady() const { return steady_; }

    bool operator==(const FlashClock&) const = default;

private:
    double value_ = 0.0;
    double steady_ = 0.0;
    double lead_ = 0.0;  // this frame's flash lead
};
