#include "show/render_scale.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(RenderScale, AutoPicksTheLargestStepWhoseFrameFits24PerSecond) {
    // A frame is frame_over_probe probes and shrinks with the pixel count.
    const double fits_at_full = auto_frame_budget_ms / frame_over_probe;
    EXPECT_EQ(render_scale_for(fits_at_full), 1.0);
    EXPECT_EQ(render_scale_for(fits_at_full * 0.5), 1.0);
    // Four times the budget: half the width and height is exactly enough.
    EXPECT_DOUBLE_EQ(render_scale_for(fits_at_full * 4.0), 0.5);
    // Just over: the next step down, never a scale whose estimate misses the budget.
    for (double over : {1.01, 1.7, 2.3, 5.0, 9.9}) {
        const double scale = render_scale_for(fits_at_full * over);
        SCOPED_TRACE(over);
        EXPECT_LE(fits_at_full * over * frame_over_probe * scale * scale, auto_frame_budget_ms + 1e-9);
        EXPECT_GT(fits_at_full * over * frame_over_probe * (scale + 0.05) * (scale + 0.05), auto_frame_budget_ms);
        EXPECT_NEAR(std::fmod(scale * 20.0, 1.0), 0.0, 1e-9) << "a step of 0.05";
    }
    // A very slow machine gets the smallest scale, not a picture of a few pixels.
    EXPECT_EQ(render_scale_for(fits_at_full * 1000.0), smallest_auto_scale);
}

TEST(RenderScale, ScaledSidesRoundAndKeepAQuarterTarget) {
    EXPECT_EQ(scaled_side(1280, 0.5), 640);
    EXPECT_EQ(scaled_side(719, 0.5), 360);  // 359.5 rounds up
    EXPECT_EQ(scaled_side(1280, 1.0), 1280);
    EXPECT_EQ(scaled_side(1280, 1.5), 1280) << "never larger than the picture";
    EXPECT_EQ(scaled_side(30, 0.1), 16);
}
