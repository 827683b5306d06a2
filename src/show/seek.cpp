#include "show/seek.h"

#include <GL/glew.h>

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

namespace {

constexpr int whole_frame_every = 10;

// The inputs of replayed frame n, as capture makes them: the timer at n / fps and the music at
// the sample nearest to it.
FrameInputs replayed(long n, int fps, int rate) {
    const double seconds = static_cast<double>(n) / fps;
    FrameInputs in;
    in.timer_reading = seconds;
    in.music_time = music_time(static_cast<uint32_t>(std::llround(seconds * rate)), rate, seconds);
    return in;
}

}  // namespace

double seek_show(double show_time, int fps) {
    ShowState& s = show_state();
    const double target = std::clamp(show_time, 0.0, end_of_show);
    rewind_show();
    const int rate = s.sound->rate();
    auto inputs = [rate, fps](long n) { return replayed(n, fps, rate); };
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

int warm_up_show(double every, int fps) {
    ShowState& s = show_state();
    const int rate = s.sound->rate();
    rewind_show();
    // Scissored to one pixel a frame costs its GL state changes and geometry, which is where the
    // GL compiles its variants; every tenth frame is drawn whole, which makes the storage of
    // the targets it writes resident. Frames faded out to black draw their passes here too.
    glScissor(0, 0, 1, 1);
    s.graphics.warming_up = true;
    int drawn = 0;
    double next = 0.0;
    for (long n = 1; s.driver.show_time <= end_of_show; ++n) {
        advance_frame(replayed(n, fps, rate));
        if (s.driver.show_time < next) continue;
        if (drawn % whole_frame_every != 0) glEnable(GL_SCISSOR_TEST);
        render_frame();
        glDisable(GL_SCISSOR_TEST);
        ++drawn;
        next += every;
    }
    glFinish();
    s.graphics.warming_up = false;
    rewind_show();
    return drawn;
}
