#pragma once
// The loading screen: a red ring that grows clockwise from 12 o'clock as the scene loaders
// report progress, with the logo in its centre. Drawn by start-up once (black) and then on every
// progress report; never during the show. Its load also brings in the six overlay pictures the
// frame driver shows at fixed show times (slots 11000..11005).
#include "show/parts.h"

class part_loader : public parts {
public:
    static constexpr int logo_offset = 10;  // the logo sits at slot_base + 10
    static constexpr int first_overlay_slot = 11000;
    static constexpr int overlay_count = 6;

    // The logo and P1..P6, each clamped to its edges and sampled nearest.
    void load(GraphicsContext* context) override;
    // Progress += step × 0.909 (start-up passes the progress step where a scene gets its
    // frame's seconds). The frame state is not used.
    void advance(double step, FrameState& frame) override;
    // One loading frame into the window.
    void render(GraphicsContext& context) override;
    // The loading screen is never replayed.
    void rewind() override {}

    double progress = 0.0;
    int slot_base = 5000;
};
