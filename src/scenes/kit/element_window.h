#pragma once
// When a content group draws, and in which of a lit scene's passes (render_lit_scene_passes): a
// ClockWindow with the passes it is drawn in, and whether the window is the scene's own choice
// (the show leaves it open) rather than one the show fixes. A chosen window must not cut its
// element off on screen; the comment beside each says how the element comes and goes.
#include "render/post_processing.h"
#include "scenes/kit/clock_window.h"

enum DrawnIn : unsigned { in_light = 1, in_mirrored = 2, in_main = 4 };
inline constexpr unsigned in_every_pass = in_light | in_mirrored | in_main;

constexpr unsigned drawn_in_bit(LitPass pass) {
    return pass == LitPass::light ? in_light : pass == LitPass::mirrored ? in_mirrored : in_main;
}

struct ElementWindow : ClockWindow {
    unsigned passes = in_every_pass;
    bool chosen = false;
    constexpr bool drawn_in(LitPass pass) const { return (passes & drawn_in_bit(pass)) != 0; }
    constexpr bool drawn(LitPass pass, double s) const { return drawn_in(pass) && holds(s); }
};
