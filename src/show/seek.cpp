#include "show/seek.h"

#include <algorithm>
#include <cmath>

#include "show/frame_driver.h"
#include "show/music_clock.h"
#include "show/show_state.h"
#include "show/timeline.h"

void rewind_show() {
    ShowState& s = show_state();
    s.driver = DriverState{};
    s.frame = s.start_frame;
    for (parts* scene : s.roster.slots)
        if (scene) scene->rewind();
}

double seek_show(double show_time, int fps) {
    ShowState& s = show_state();
    const double target = std::clamp(show_time, 0.0, end_of_show);
    rewind_show();
    // The inputs of replayed frame n, as capture makes them: the timer at n / fps and the music
    // at the sample nearest to it.
    const int rate = s.sound->rate();
    auto inputs = [rate, fps](long n) {
        const double seconds = static_cast<double>(n) / fps;
        FrameInputs in;
        in.timer_reading = seconds;
        in.music_time = music_time(static_cast<uint32_t>(std::llround(seconds * rate)), rate, seconds);
        return in;
    };
    long n = 1;
    // Each frame's show time is its predecessor's plus a step: stop one frame short, then draw
    // that one (hidden) and the frame that reaches the target.
    while (s.driver.show_time + 2.0 / fps < target) advance_frame(inputs(n++));
    for (int last = 0; last < 2; ++last) {
        FrameInputs in = inputs(n++);
        s.sound->seek(in.music_time);
        in.spectrum = s.sound->spectrum();
        advance_frame(in);
        render_frame();
    }
    s.driver.previous_reading = s.timer.reading();
    return s.driver.show_time;
}
