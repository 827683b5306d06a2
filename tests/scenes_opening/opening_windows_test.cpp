// When the opening's elements are drawn and in which passes: the windows its description gives,
// against a table written from it, and for the windows the scene chose, where they open or close
// while the viewer is watching.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "scenes/opening/opening_clock.h"
#include "scenes/opening/opening_timeline.h"
#include "scenes/opening/opening_windows.h"

namespace {

using Drawn = std::function<bool(double s, LitPass pass)>;

struct Probe {
    double s;
    bool light, main;
};

struct Element {
    std::string name;
    Drawn drawn;
    std::vector<Probe> probes;
};

Drawn window(const ContentWindow& w) {
    return [&w](double s, LitPass pass) { return w.drawn(s, pass); };
}

constexpr bool yes = true, no = false;

TEST(OpeningWindows, TheDescribedElementsAreDrawnWhenAndWhereTheSceneSays) {
    const std::vector<Element> described = {
        {"the near sea: below 26, while the background pre-pass runs",
         [](double s, LitPass p) {
             return opening::runs_background_prepass(s) && opening::near_sea_window.drawn(s, p);
         },
         {{5.0, no, yes}, {25.9, no, yes}, {26.1, no, no}, {40.0, no, no}}},
        {"the far sea: above 30, while the background pre-pass runs (not in (27, 30.8), to 51.8)",
         [](double s, LitPass p) {
             return opening::runs_background_prepass(s) && opening::far_sea_window.drawn(s, p);
         },
         {{29.9, no, no}, {30.5, no, no}, {30.9, no, yes}, {51.7, no, yes}, {51.81, no, no}}},
        {"the first figure group: 51.848 < s < 72.5",
         window(opening::walkers_window),
         {{51.84, no, no}, {51.86, yes, yes}, {72.4, yes, yes}, {72.6, no, no}}},
        {"the background: 51.848 < s < 94.6, background2 in the depth pre-pass",
         window(opening::background_window),
         {{51.84, no, no}, {51.86, yes, yes}, {94.5, yes, yes}, {94.7, no, no}}},
        {"the bait fish: 51.848 < s < 75.2",
         window(opening::bait_fish_window),
         {{51.84, no, no}, {51.86, yes, yes}, {75.1, yes, yes}, {75.3, no, no}}},
    };
    for (const Element& e : described)
        for (const Probe& p : e.probes) {
            EXPECT_EQ(e.drawn(p.s, LitPass::light), p.light) << e.name << ", depth pre-pass at " << p.s;
            EXPECT_EQ(e.drawn(p.s, LitPass::main), p.main) << e.name << ", main pass at " << p.s;
        }
}

TEST(OpeningWindows, TheSeaFloorCopiesEachHaveOneOfTheDescribedWindows) {
    const std::set<std::pair<double, double>> described = {
        {24.0, 33.0}, {24.3, 34.0}, {24.7, 35.0}, {25.88, 31.6}, {25.68, 31.8}, {25.28, 31.9}, {25.4, 36.3}};
    std::set<std::pair<double, double>> copies;
    for (const opening::FloorCopy& copy : opening::floor_copies)
        copies.insert({copy.window.from, copy.window.to});
    EXPECT_EQ(copies, described);
}

// The clock values the viewer sees, frame by frame at 30 frames a second of show time.
std::vector<double> seen_clock() {
    opening::OpeningClock clock;
    std::vector<double> seen;
    for (int frame = 0; frame / 30.0 < 76.8; ++frame) {
        const double s = clock.advance(frame == 0 ? 0.0 : 1.0 / 30);
        if (!clock.warming_up()) seen.push_back(s);
    }
    return seen;
}

// Whether the clock runs through `edge` between two frames the viewer sees (not by a jump).
bool passes_in_view(const std::vector<double>& seen, double edge) {
    for (std::size_t i = 1; i < seen.size(); ++i)
        if (seen[i - 1] < edge && seen[i] >= edge && seen[i] - seen[i - 1] < 0.1) return true;
    return false;
}

// The scene's own windows may open or close only where the viewer does not watch, unless the
// element comes or goes by itself there.
TEST(OpeningWindows, TheChosenWindowsOpenAndCloseOutOfViewOrByAFade) {
    const std::vector<double> seen = seen_clock();
    const std::vector<std::pair<std::string, const ContentWindow*>> chosen = {
        {"the stage's floor", &opening::stage_floor_window},
        {"the runners", &opening::runners_window},
        {"the sitters", &opening::sitters_window},
        {"the ridge throwers", &opening::ridge_throwers_window},
        {"the lit group", &opening::lit_group_window},
        {"the Escher crowd", &opening::crowd_window},
        {"the plankton", &opening::plankton_window},
        {"the swirl of bubbles", &opening::swirl_window},
        {"the column of bubbles", &opening::column_window},
        {"the motes", &opening::motes_window},
    };
    std::set<std::string> in_view;
    for (const auto& [name, w] : chosen) {
        if (passes_in_view(seen, w->when.from)) in_view.insert(name + " comes");
        if (passes_in_view(seen, w->when.to)) in_view.insert(name + " goes");
    }
    // The sitters rise out of the sand, the swirl has faded out over its last two seconds, and
    // the column starts behind the camera (the stage moves look at the tower then).
    const std::set<std::string> expected = {"the sitters comes", "the swirl of bubbles goes",
                                            "the column of bubbles comes"};
    EXPECT_EQ(in_view, expected);
}

}  // namespace
