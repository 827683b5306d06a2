// When the toys scene's elements are drawn and in which passes, against a table written from the
// scene's description: each row names an element and the clock values around its window's ends,
// with the passes (light, mirrored, main) that must draw it there. The chess set's per-piece
// rules are checked in toys_content_test.cpp.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scenes/toys/toys_crowd.h"
#include "scenes/toys/toys_timeline.h"
#include "scenes/toys/toys_windows.h"

namespace {

using Drawn = std::function<bool(double t, LitPass pass)>;

struct Probe {
    double t;
    bool light, mirrored, main;
};

struct Element {
    std::string name;
    Drawn drawn;
    std::vector<Probe> probes;
};

Drawn window(const ContentWindow& w) {
    return [&w](double t, LitPass pass) { return w.drawn(t, pass); };
}

constexpr bool yes = true, no = false;

// From the description: where it gives no window or pass rule, the element is drawn whenever
// its group is.
const std::vector<Element>& described() {
    static const std::vector<Element> rows = {
        {"the crowd's figures 5 and 8: always, the light seeing them until 14",
         [](double t, LitPass p) { return toys::crowd_in_pass(t, p) && toys::figure_drawn(5, t, p); },
         {{-7.0, yes, yes, yes},
          {13.9, yes, yes, yes},
          {14.0, yes, yes, yes},
          {14.1, no, yes, yes},
          {120.0, no, yes, yes}}},
        {"the crowd's other figures: before 0, not mirrored",
         [](double t, LitPass p) { return toys::crowd_in_pass(t, p) && toys::figure_drawn(0, t, p); },
         {{-7.0, yes, no, yes}, {-0.1, yes, no, yes}, {0.1, no, no, no}}},
        {"the single figures with the balls: from 0, every pass",
         window(toys::onlookers_window),
         {{-0.1, no, no, no}, {0.1, yes, yes, yes}, {14.1, yes, yes, yes}, {60.0, yes, yes, yes}}},
        {"the hatchback: 9 < t < 30, not mirrored",
         window(toys::hatchback_window),
         {{8.9, no, no, no}, {9.1, yes, no, yes}, {29.9, yes, no, yes}, {30.1, no, no, no}}},
        {"the first wave: t < 39, not mirrored",
         window(toys::first_cars_window),
         {{-5.0, yes, no, yes}, {38.9, yes, no, yes}, {39.1, no, no, no}}},
        {"the second wave: t < 67, not mirrored",
         window(toys::second_cars_window),
         {{-5.0, yes, no, yes}, {66.9, yes, no, yes}, {67.1, no, no, no}}},
        {"the tank: not mirrored", window(toys::tank_window), {{5.0, yes, no, yes}, {65.0, yes, no, yes}}},
        {"the wires: not mirrored", window(toys::wires_window), {{5.0, yes, no, yes}, {100.0, yes, no, yes}}},
        {"the old car: not mirrored",
         window(toys::old_car_window),
         {{5.0, yes, no, yes}, {60.0, yes, no, yes}}},
        {"the first plate: t < 96, not mirrored",
         window(toys::plate_windows[0]),
         {{5.0, yes, no, yes}, {95.9, yes, no, yes}, {96.1, no, no, no}}},
        {"the second plate: t < 95, not mirrored",
         window(toys::plate_windows[1]),
         {{5.0, yes, no, yes}, {94.9, yes, no, yes}, {95.1, no, no, no}}},
        {"the third plate: t < 95.3, not mirrored",
         window(toys::plate_windows[2]),
         {{5.0, yes, no, yes}, {95.2, yes, no, yes}, {95.4, no, no, no}}},
        {"the sea: from 89 on",
         [](double t, LitPass p) { return toys::sea_shown(t) && toys::sea_passes.has(p); },
         {{88.9, no, no, no}, {89.0, yes, yes, yes}, {130.0, yes, yes, yes}}},
        {"the bridge: t > 98, not from the light",
         window(toys::bridge_window),
         {{97.9, no, no, no}, {98.1, no, yes, yes}, {130.0, no, yes, yes}}},
        {"the transforming toys: from 107.5 on",
         [](double t, LitPass p) { return toys::toys_shown(t) && toys::toys_passes.has(p); },
         {{107.4, no, no, no}, {107.5, yes, yes, yes}, {130.0, yes, yes, yes}}},
        {"the rain: t < 104, main pass only",
         window(toys::rain_window),
         {{-7.0, no, no, yes}, {103.9, no, no, yes}, {104.1, no, no, no}}},
        {"the swarm: t > 107, main pass only",
         window(toys::swarm_window),
         {{106.9, no, no, no}, {107.1, no, no, yes}, {130.0, no, no, yes}}},
        {"the maze's second and third copies: not from the light",
         [](double, LitPass p) { return toys::maze_copies_passes.has(p); },
         {{80.0, no, yes, yes}}},
        {"the maze's corridor: every pass",
         [](double, LitPass p) { return toys::maze_floor_passes.has(p); },
         {{80.0, yes, yes, yes}}},
    };
    return rows;
}

TEST(ToysWindows, EveryElementIsDrawnWhenAndWhereTheSceneSays) {
    for (const Element& e : described()) {
        for (const Probe& p : e.probes) {
            EXPECT_EQ(e.drawn(p.t, LitPass::light), p.light) << e.name << ", light pass at " << p.t;
            EXPECT_EQ(e.drawn(p.t, LitPass::mirrored), p.mirrored) << e.name << ", mirrored pass at " << p.t;
            EXPECT_EQ(e.drawn(p.t, LitPass::main), p.main) << e.name << ", main pass at " << p.t;
        }
    }
}

TEST(ToysWindows, TheMirroredPassRunsUntil21) {
    EXPECT_TRUE(toys::mirrored_pass_window.holds(-7.0));
    EXPECT_TRUE(toys::mirrored_pass_window.holds(20.9));
    EXPECT_FALSE(toys::mirrored_pass_window.holds(21.1));
}

// The scene's own choices: the floor is only in the main pass; it comes and goes, and the
// runners come in, where the picture is black, so nothing appears or vanishes in view.
TEST(ToysWindows, TheChosenWindowsStartAndEndOnABlackPicture) {
    EXPECT_FALSE(toys::ground_window.drawn(5.0, LitPass::mirrored)) << "it would cover the reflection";
    EXPECT_FALSE(toys::ground_window.drawn(5.0, LitPass::light));
    EXPECT_TRUE(toys::ground_window.drawn(5.0, LitPass::main));
    for (double edge :
         {toys::ground_window.when.from, toys::ground_window.when.to, toys::runners_window.when.from})
        EXPECT_LT(toys::grey_value(edge + 1e-6), 0.01) << edge;
}

}  // namespace
