#pragma once
// An element of a scene as data: the clock window in which it is drawn and the scene passes that
// draw it (the light's, whose depth casts its shadow; the mirrored one, its reflection; the main
// one). A scene without a mirrored pass never asks for it.
#include "render/post_processing.h"
#include "scenes/kit/clock_window.h"

struct Passes {
    bool light, mirrored, main;
    constexpr bool has(LitPass pass) const {
        return pass == LitPass::light ? light : pass == LitPass::mirrored ? mirrored : main;
    }
};
inline constexpr Passes every_pass{true, true, true};
inline constexpr Passes light_and_main{true, false, true};
inline constexpr Passes mirrored_and_main{false, true, true};
inline constexpr Passes main_only{false, false, true};

struct ContentWindow {
    ClockWindow when;
    Passes passes;
    constexpr bool drawn(double s, LitPass pass) const { return when.holds(s) && passes.has(pass); }
};
