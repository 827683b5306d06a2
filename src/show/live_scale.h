#pragma once
// The render scale following the show while it plays live (render scale "auto"). Start-up chose
// a first scale from its probe; from then on every scene gets the scale its own frames hold
// (DynamicScale), and the render area is made again whenever the frame about to be drawn needs
// another size than the last one. Capture and author mode keep one scale.
#include <functional>

#include "show/dynamic_scale.h"
#include "show/render_scale.h"
#include "show/show_state.h"

// Makes render targets 0 (the render size) and 1 (a quarter of it) at `scale` of the picture,
// with the application state's render size set to match. GL.
void make_render_targets(double scale);

class LiveScale {
public:
    // The share of its picture a frame's fade may leave showing at most for the frame to count
    // as dark: the next frame may change scale unseen (fades are slow, so it is dark too).
    static constexpr float dark = 0.2f;

    // The targets are at `choice.scale`; every scene starts at `choice.live_scale`, with the
    // estimate's fixed share as the first guess of a step's cost (see DynamicScale). `seconds`
    // reads a steady clock (the frame times are measured between calls of before_render).
    LiveScale(const RenderScaleChoice& choice, std::function<double()> seconds);

    // Between a live frame's advance and its render: the previous frame's time goes to the scene
    // that drew it, and when this frame's scene wants another scale the targets and every loaded
    // scene's render-sized textures are made again (on a cut, a flash or after a dark frame, or
    // after a long wait).
    // A frame that resized is not timed: making textures is not what its scene costs; nor is a
    // frame faded out to black, which draws no pass.
    void before_render(ShowState& show);

    double scale() const { return applied_; }

private:
    DynamicScale dynamic_;
    std::function<double()> seconds_;
    double applied_;
    double last_start_ = -1;  // when the previous frame's render began; < 0 before the first
    int last_slot_ = -1;
    bool last_resized_ = false;
    long composed_before_ = 0;  // the context's composed frames when the previous frame began
};
