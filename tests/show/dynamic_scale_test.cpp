// The render scale that follows the frame times, fed with frame costs of a model scene whose
// frame costs fixed + per_pixel · s² milliseconds at scale s.
#include "show/dynamic_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

constexpr double budget = 1000.0 / 30.0;

struct ModelScene {
    double fixed, per_pixel;
    double ms(double s) const { return fixed + per_pixel * s * s; }
};

// Plays `frames` frames of slot 0, every `unseen_every`-th one a flash, and returns the scales
// drawn at, in order.
std::vector<double> play(DynamicScale& scale, const ModelScene& scene, int frames, int unseen_every) {
    std::vector<double> drawn;
    for (int f = 0; f < frames; ++f) {
        const double s = scale.scale_for(0, unseen_every > 0 && f % unseen_every == 0);
        drawn.push_back(s);
        scale.record(0, scene.ms(s));
    }
    return drawn;
}

int changes(const std::vector<double>& drawn) {
    int n = 0;
    for (size_t i = 1; i < drawn.size(); ++i) n += drawn[i] != drawn[i - 1];
    return n;
}

TEST(DynamicScale, ASlowSceneStepsDownToTheLargestScaleThatHoldsTheBudgetAndStaysThere) {
    // 12 ms of geometry and 90 ms of pixels at full size: 0.5 costs 34.5 ms, 0.42 costs 27.9 ms
    // (0.35, the next of the dialog's scales, at 23 ms would leave a third of the budget unused).
    const ModelScene middle{12.0, 90.0};
    DynamicScale scale(budget, 1.0);
    const std::vector<double> drawn = play(scale, middle, 3000, 60);
    EXPECT_EQ(drawn.back(), 0.42);
    EXPECT_LE(middle.ms(drawn.back()), budget);
    // Down five steps (1, 0.87, 0.75, 0.62, 0.5, 0.42) and no flicker afterwards.
    EXPECT_EQ(changes(drawn), 5);
}

TEST(DynamicScale, AFastSceneClimbsToFullSizeOnlyWhileItHoldsTheBudgetWithRoom) {
    const ModelScene final_scene{6.0, 18.0};  // 24 ms at full size
    DynamicScale scale(budget, 0.25);
    EXPECT_EQ(play(scale, final_scene, 3000, 60).back(), 1.0);

    // 30 ms at full size holds the budget, but from 0.87 (25.6 ms) the step looks like 33.8 ms
    // (all pixels, ×1.32): no room to climb.
    const ModelScene close{12.0, 18.0};
    DynamicScale held(budget, 0.87);
    const std::vector<double> drawn = play(held, close, 3000, 60);
    EXPECT_EQ(drawn.back(), 0.87);
    EXPECT_EQ(changes(drawn), 0);
}

TEST(DynamicScale, AFrameWithLargeFixedCostsClimbsAsFarAsItsGuessedStepsAllow) {
    // 20 ms that do not shrink and 60 ms of pixels at full size: 0.25 costs 23.8 ms, 0.3
    // 25.4 ms, 0.35 27.4 ms, 0.42 30.6 ms. Taking the whole frame as pixels, a step to 0.3 would
    // look like 34.2 ms and never be tried; with the fixed share known it climbs to 0.35 and no
    // further (0.42 would leave no room).
    const ModelScene heavy_geometry{20.0, 60.0};
    DynamicScale cautious(budget, 0.25);
    EXPECT_EQ(play(cautious, heavy_geometry, 3000, 60).back(), 0.25);

    DynamicScale informed(budget, 0.25, 20.0 / 80.0);
    const std::vector<double> drawn = play(informed, heavy_geometry, 3000, 60);
    EXPECT_EQ(drawn.back(), 0.35);
    EXPECT_EQ(changes(drawn), 2);
}

TEST(DynamicScale, AFastSceneClimbsSeveralStepsAtOnceBeyondTheGuessOnlyWhereThePixelsAllow) {
    // 6 ms of geometry and 18 ms of pixels at full size, a quarter fixed as the estimate says:
    // at 0.25 a frame takes 7.1 ms. The first step (to 0.3) goes on the guess, the next ones as
    // if all grew with the pixels: 0.35, 0.42 and 0.5 fit that way (21 ms), 0.62 would not
    // (33 ms). The first change climbs four steps, and full size comes a change or two later
    // instead of one step a change.
    const ModelScene final_scene{6.0, 18.0};
    DynamicScale scale(budget, 0.25, 0.25);
    const std::vector<double> drawn = play(scale, final_scene, 3000, 60);
    const auto first_change = std::adjacent_find(drawn.begin(), drawn.end(), std::not_equal_to<>());
    ASSERT_NE(first_change, drawn.end());
    EXPECT_EQ(first_change[1], 0.5);
    EXPECT_EQ(drawn.back(), 1.0);
    EXPECT_LE(changes(drawn), 3);

    // A bold guess costs one step too many, not several: all of this scene grows with the
    // pixels, but the estimate says almost nothing does. From 0.25 (12.5 ms) the climb goes to
    // 0.3 on the guess and on to 0.42 on the pixels (24.5 ms there as counted, 35.3 ms in
    // fact): one step back, to 0.35 (24.5 ms), for good.
    const ModelScene all_pixels{0.0, 200.0};
    DynamicScale bold(budget, 0.25, 0.95);
    const std::vector<double> climbed = play(bold, all_pixels, 3000, 60);
    EXPECT_EQ(*std::max_element(climbed.begin(), climbed.end()), 0.42);
    EXPECT_EQ(climbed.back(), 0.35);
    EXPECT_EQ(changes(climbed), 2);
}

TEST(DynamicScale, AStepThatProvedTooDearIsNotTriedAgain) {
    // The guess says nearly nothing grows with the pixels, but everything does: 0.35 costs
    // 24.5 ms and 0.42 35.3 ms. One try at 0.42, back to 0.35 for good once the step is measured.
    const ModelScene all_pixels{0.0, 200.0};
    DynamicScale scale(budget, 0.35, 0.95);
    const std::vector<double> drawn = play(scale, all_pixels, 3000, 60);
    EXPECT_EQ(drawn.back(), 0.35);
    EXPECT_EQ(changes(drawn), 2);

    // The measured step still lets a lighter stretch of the same scene climb: at a quarter of
    // the cost, 0.75 holds the budget (28.1 ms) and 0.87, tried once, does not (37.8 ms).
    const ModelScene lighter{0.0, 50.0};
    EXPECT_EQ(play(scale, lighter, 3000, 60).back(), 0.75);
}

TEST(DynamicScale, AGuessedStepThatMissesTheBudgetIsTakenBackWithoutWaitingForACut) {
    // No cut or flash: the step up waits the long stretch, but its 35 ms frames go back to 0.35
    // as soon as they have been judged.
    const ModelScene all_pixels{0.0, 200.0};
    DynamicScale scale(budget, 0.35, 0.95);
    const std::vector<double> drawn = play(scale, all_pixels, 1000, 0);
    const auto first_up = std::find(drawn.begin(), drawn.end(), 0.42);
    ASSERT_NE(first_up, drawn.end());
    EXPECT_EQ(first_up - drawn.begin(), DynamicScale::unseen_wait);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 0.42), DynamicScale::rest);
    EXPECT_EQ(drawn.back(), 0.35);
}

TEST(DynamicScale, ChangesWaitForAnUnseenFrameOrALongStretch) {
    const ModelScene slow{12.0, 90.0};
    DynamicScale scale(budget, 1.0);
    // No cut or flash: the first change comes only after the long wait.
    const std::vector<double> drawn = play(scale, slow, DynamicScale::unseen_wait + 10, 0);
    int first_change = -1;
    for (size_t i = 1; i < drawn.size() && first_change < 0; ++i)
        if (drawn[i] != drawn[i - 1]) first_change = static_cast<int>(i);
    EXPECT_EQ(first_change, DynamicScale::unseen_wait);

    // With an unseen frame after the window and the rest, it comes then.
    DynamicScale flashed(budget, 1.0);
    std::vector<double> seen;
    for (int f = 0; f < 100; ++f) {
        const double s = flashed.scale_for(0, f == 50);
        seen.push_back(s);
        flashed.record(0, slow.ms(s));
    }
    EXPECT_EQ(seen[49], 1.0);
    EXPECT_EQ(seen[50], 0.87);
}

TEST(DynamicScale, EachSceneKeepsItsOwnScale) {
    DynamicScale scale(budget, 1.0);
    const ModelScene slow{12.0, 90.0}, fast{6.0, 18.0};
    for (int f = 0; f < 2000; ++f) {
        for (int slot : {2, 3}) {
            const double s = scale.scale_for(slot, f % 30 == 0);
            scale.record(slot, (slot == 2 ? slow : fast).ms(s));
        }
    }
    EXPECT_EQ(scale.current(2), 0.42);
    EXPECT_EQ(scale.current(3), 1.0);
    EXPECT_EQ(scale.current(0), 1.0) << "a scene not yet drawn keeps its start";
    EXPECT_EQ(scale.scale_for(-1, true), 1.0) << "between the scenes' windows";
}

}  // namespace
