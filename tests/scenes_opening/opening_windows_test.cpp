// Every element window and pass membership the opening's description gives, checked against the
// table below (written from the description, not from opening_windows.h): each element is drawn
// just inside its window and not just outside it, in the passes it belongs to only (the depth
// pre-pass is the light's). The windows the scene chose may open or close only where the viewer
// does not watch, unless the element comes or goes by itself there.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "scenes/opening/opening_clock.h"
#include "scenes/opening/opening_timeline.h"
#include "scenes/opening/opening_windows.h"
#include "tests/support/described_windows.h"

namespace {

using namespace opening;

constexpr unsigned light_and_main = in_light | in_main;

const std::vector<DescribedWindow> described = {
    {"the seaplane whole if s < 26", near_sea_window, -never, 26.0, in_main},
    {"the far sea if s > 30", far_sea_window, 30.0, never, in_main},
    {"the first figure group, 51.848 < s < 72.5", walkers_window, 51.848, 72.5, light_and_main},
    {"the background, 51.848 < s < 94.6 (background2 in depth mode)", background_window, 51.848, 94.6,
     light_and_main},
    {"the bait fish, 51.848 < s < 75.2", bait_fish_window, 51.848, 75.2, light_and_main},
};

const LitPass passes[] = {LitPass::light, LitPass::main};

TEST(OpeningWindows, EveryDescribedWindowAndPassHolds) {
    for (const DescribedWindow& d : described) {
        SCOPED_TRACE(d.what);
        EXPECT_FALSE(d.element.chosen) << "the description fixes this window";
        for (LitPass pass : passes)
            for (const auto& [s, inside] : window_probes(d.from, d.to, 4.15, 120.0))
                EXPECT_EQ(d.element.drawn(pass, s), inside && (d.passes & drawn_in_bit(pass)) != 0)
                    << "s = " << s << ", " << (pass == LitPass::light ? "light" : "main") << " pass";
    }
}

TEST(OpeningWindows, TheSeaOnlyWhileTheBackgroundPrePassRuns) {
    // Only while s <= 51.8 and s is not inside (27, 30.8).
    for (const auto& [s, runs] :
         {std::pair{26.9, true}, {27.1, false}, {30.7, false}, {30.9, true}, {51.8, true}, {51.81, false}})
        EXPECT_EQ(runs_background_prepass(s), runs) << s;
}

TEST(OpeningWindows, TheSeaFloorCopiesEachHaveOneOfTheDescribedWindows) {
    const std::set<std::pair<double, double>> listed = {
        {24.0, 33.0}, {24.3, 34.0}, {24.7, 35.0}, {25.88, 31.6}, {25.68, 31.8}, {25.28, 31.9}, {25.4, 36.3}};
    std::set<std::pair<double, double>> copies;
    for (const FloorCopy& copy : floor_copies) copies.insert({copy.window.from, copy.window.to});
    EXPECT_EQ(copies, listed);
}

// The clock values the viewer sees, frame by frame at 30 frames a second of show time.
std::vector<double> seen_clock() {
    OpeningClock clock;
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

TEST(OpeningWindows, TheChosenWindowsOpenAndCloseOutOfViewOrByThemselves) {
    const std::vector<double> seen = seen_clock();
    const std::vector<std::pair<std::string, const ElementWindow*>> chosen = {
        {"the stage's floor", &stage_floor_window}, {"the runners", &runners_window},
        {"the sitters", &sitters_window},           {"the ridge throwers", &ridge_throwers_window},
        {"the lit group", &lit_group_window},       {"the Escher crowd", &crowd_window},
        {"the plankton", &plankton_window},         {"the swirl of bubbles", &swirl_window},
        {"the column of bubbles", &column_window},  {"the motes", &motes_window},
    };
    std::set<std::string> in_view;
    for (const auto& [what, w] : chosen) {
        EXPECT_TRUE(w->chosen) << what;
        if (passes_in_view(seen, w->from)) in_view.insert(what + " comes");
        if (passes_in_view(seen, w->to)) in_view.insert(what + " goes");
    }
    // The sitters rise out of the sand, the swirl has faded out over its last two seconds, and
    // the column starts where the stage's moves do not look (at the tower).
    const std::set<std::string> expected = {"the sitters comes", "the swirl of bubbles goes",
                                            "the column of bubbles comes"};
    EXPECT_EQ(in_view, expected);
}

}  // namespace
