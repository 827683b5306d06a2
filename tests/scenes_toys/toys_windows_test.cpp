// Every element window and pass membership the toys scene's description gives, checked against
// the table below (written from the description, not from toys_windows.h): each element is drawn
// just inside its window and not just outside it, in the passes it belongs to only. Where the
// description gives an element no window, it is drawn whenever its group is. The chess set's
// per-piece rules are checked in toys_content_test.cpp.
#include <gtest/gtest.h>

#include <vector>

#include "scenes/toys/toys_crowd.h"
#include "scenes/toys/toys_timeline.h"
#include "scenes/toys/toys_windows.h"
#include "tests/support/described_windows.h"

namespace {

using namespace toys;

constexpr unsigned not_mirrored = in_light | in_main;

const std::vector<DescribedWindow> described = {
    {"the crowd's figures 5 and 8, always", crowd_front_window, -never, never, in_every_pass},
    {"the crowd's other figures while t < 0, not mirrored", crowd_back_window, -never, 0.0, not_mirrored},
    {"the single figures with group 18 beside them, for t > 0", onlookers_window, 0.0, never, in_every_pass},
    {"vehicle1 whole while 9 < t < 30, not mirrored", hatchback_window, 9.0, 30.0, not_mirrored},
    {"the first cars while t < 39, not mirrored", first_cars_window, -never, 39.0, not_mirrored},
    {"the second cars while t < 67, not mirrored", second_cars_window, -never, 67.0, not_mirrored},
    {"the tank, not mirrored", tank_window, -never, never, not_mirrored},
    {"the wires whole, not mirrored", wires_window, -never, never, not_mirrored},
    {"the plate at (x, -1.48, -2) while t < 96, not mirrored", plate_windows[0], -never, 96.0, not_mirrored},
    {"the plate at (x, -2.68, -2.8) while t < 95, not mirrored", plate_windows[1], -never, 95.0,
     not_mirrored},
    {"the plate at (x, -2.68, -36) while t < 95.3, not mirrored", plate_windows[2], -never, 95.3,
     not_mirrored},
    {"the bridge when t > 98, not in the light pass", bridge_window, 98.0, never, in_mirrored | in_main},
    {"the particles for t < 104, main pass only", rain_window, -never, 104.0, in_main},
    {"the particles for t > 107, main pass only", swarm_window, 107.0, never, in_main},
};

const LitPass passes[] = {LitPass::light, LitPass::mirrored, LitPass::main};

const char* name(LitPass pass) {
    return pass == LitPass::light ? "light" : pass == LitPass::mirrored ? "mirrored" : "main";
}

TEST(ToysWindows, EveryDescribedWindowAndPassHolds) {
    for (const DescribedWindow& d : described) {
        SCOPED_TRACE(d.what);
        EXPECT_FALSE(d.element.chosen) << "the description fixes this window";
        for (LitPass pass : passes)
            for (const auto& [t, inside] : window_probes(d.from, d.to, -7.0, 140.0))
                EXPECT_EQ(d.element.drawn(pass, t), inside && (d.passes & drawn_in_bit(pass)) != 0)
                    << "t = " << t << ", " << name(pass) << " pass";
    }
}

TEST(ToysWindows, TheLightStopsSeeingTheCrowdAfter14AndTheMirrorRunsUntil21) {
    EXPECT_TRUE(crowd_in_pass(14.0, LitPass::light));
    EXPECT_FALSE(crowd_in_pass(14.01, LitPass::light));
    EXPECT_TRUE(crowd_in_pass(100.0, LitPass::mirrored));
    EXPECT_TRUE(crowd_in_pass(100.0, LitPass::main));
    EXPECT_TRUE(mirrored_pass_window.holds(20.99));
    EXPECT_FALSE(mirrored_pass_window.holds(21.01));
}

TEST(ToysWindows, TheSeaTheToysAndTheMaze) {
    // From 89 and from 107.5 on, both included; the toys in every pass, the sea not in the
    // light's, since it lies below everything that could take its shadow.
    EXPECT_FALSE(sea_shown(88.99));
    EXPECT_TRUE(sea_shown(89.0));
    EXPECT_FALSE(toys_shown(107.49));
    EXPECT_TRUE(toys_shown(107.5));
    EXPECT_EQ(sea_passes, in_mirrored | in_main);
    EXPECT_EQ(toys_passes, in_every_pass);
    // The maze's second and third copies are not in the light pass; its first is.
    EXPECT_EQ(maze_copies_passes & in_light, 0u);
    EXPECT_NE(maze_floor_passes & in_light, 0u);
}

// The scene's own choices come and go where the picture is black, so nothing appears or
// vanishes in view: the floor at the cut to black at 0 and when the sea comes in from black at
// 89 (main pass only: it casts nothing and would cover the board's reflection), the runners with
// the pavement section, which starts from black at 41. The old car is always there.
TEST(ToysWindows, TheChosenWindowsComeAndGoOnABlackPicture) {
    for (const ElementWindow* w : {&ground_window, &runners_window, &old_car_window}) EXPECT_TRUE(w->chosen);
    EXPECT_EQ(ground_window.passes, in_main);
    for (double edge : {ground_window.from, ground_window.to, runners_window.from})
        EXPECT_LT(grey_value(edge + 1e-6), 0.01) << edge;
}

}  // namespace
