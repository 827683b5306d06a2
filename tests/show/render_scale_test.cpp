#include "show/render_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

bool a_step(double scale) { return std::fabs(scale * 20.0 - std::round(scale * 20.0)) < 1e-9; }

}  // namespace

TEST(RenderScale, AutoPicksTheLargestStepWhoseFrameFits24PerSecond) {
    // Probes of a fast machine: the full picture fits.
    EXPECT_EQ(render_scale_for(5.0, 5.0), 1.0);
    for (double probe : {30.0, 54.0, 120.0, 250.0, 400.0}) {
        SCOPED_TRACE(probe);
        const double reference = 54.0;
        const double scale = render_scale_for(probe, reference);
        EXPECT_TRUE(a_step(scale)) << scale;
        EXPECT_GE(scale, smallest_auto_scale);
        if (scale > smallest_auto_scale) {
            EXPECT_LE(estimated_frame_ms(probe, reference, scale), auto_frame_budget_ms);
        }
        if (scale < 1.0) {
            EXPECT_GT(estimated_frame_ms(probe, reference, scale + 0.05), auto_frame_budget_ms)
                << "the next step up would miss the budget";
        }
    }
}

TEST(RenderScale, TheFullSizeWheneverItsFrameFits) {
    // Probes from a fast GPU to this machine, on either side of the line where the full size's
    // estimate meets the budget: 1 exactly when it fits there, never a step below it.
    int full = 0, smaller = 0;
    for (double reference = 0.1; reference < 60.0; reference *= 1.7) {
        for (double probe = 0.1; probe < 400.0; probe *= 1.3) {
            SCOPED_TRACE(testing::Message() << probe << " ms, " << reference << " ms at 640x360");
            const bool fits = estimated_frame_ms(probe, reference, 1.0) <= auto_frame_budget_ms;
            const double scale = render_scale_for(probe, reference);
            EXPECT_EQ(scale == 1.0, fits);
            (fits ? full : smaller) += 1;
        }
    }
    EXPECT_GT(full, 10);
    EXPECT_GT(smaller, 10);
}

TEST(RenderScale, WorkThatDoesNotShrinkWithTheRenderAreaLowersTheChoice) {
    // The same picture probe on a machine whose fixed share is larger gets a smaller scale.
    EXPECT_LT(render_scale_for(100.0, 80.0), render_scale_for(100.0, 20.0));
    // Fixed work alone over the budget: nothing fits, the smallest scale is chosen and its
    // estimate still says the frame is too slow.
    const double too_slow = auto_frame_budget_ms / fixed_over_probe * 1.5;
    EXPECT_EQ(render_scale_for(60.0, too_slow), smallest_auto_scale);
    EXPECT_GT(estimated_frame_ms(60.0, too_slow, smallest_auto_scale), auto_frame_budget_ms);
    // The pixel part shrinks with the square of the scale.
    const double half = estimated_frame_ms(200.0, 0.0, 0.5) - estimated_frame_ms(200.0, 0.0, 0.0);
    const double full = estimated_frame_ms(200.0, 0.0, 1.0) - estimated_frame_ms(200.0, 0.0, 0.0);
    EXPECT_NEAR(half * 4.0, full, 1e-9);
}

TEST(RenderScale, ScaledSidesRoundAndKeepAQuarterTarget) {
    EXPECT_EQ(scaled_side(1280, 0.5), 640);
    EXPECT_EQ(scaled_side(719, 0.5), 360);  // 359.5 rounds up
    EXPECT_EQ(scaled_side(1280, 1.0), 1280);
    EXPECT_EQ(scaled_side(1280, 1.5), 1280) << "never larger than the picture";
    EXPECT_EQ(scaled_side(30, 0.1), 16);
}
