// Every element window and pass membership the middle scene's description gives, checked
// against the table below (written from the description, not from middle_windows.h): each element
// is drawn just inside its window and not just outside it, in the passes it belongs to only.
// Windows the description leaves open are this scene's choice and must say so.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenes/middle/middle_windows.h"
#include "tests/support/described_windows.h"

namespace {

using namespace middle;

constexpr unsigned light_and_main = in_light | in_main;

const std::vector<DescribedWindow> described = {
    {"the city (thecity1) while t < 49.3", city, -never, 49.3, light_and_main},
    {"transf1 while t < 19", robot, -never, 19.0, light_and_main},
    {"the sun slab (list 300) while t < 24", sun, -never, 24.0, light_and_main},
    {"the single rope between 22.5 and 40", single_rope, 22.5, 40.0, light_and_main},
    {"the rope's line while t < 49.7", rope_line, -never, 49.7, light_and_main},
    {"the rope field while t < 35", rope_field, -never, 35.0, light_and_main},
    {"the image-sequence animation while t < 51", sequence_figure, -never, 51.0, light_and_main},
    {"fish 2000, 2100, 2300 while 17 < t < 31", first_shoal, 17.0, 31.0, light_and_main},
    {"all six fish while 26 < t < 42", full_shoal, 26.0, 42.0, light_and_main},
    {"the w1 and w2 slabs while 17 < t < 52", waves, 17.0, 52.0, light_and_main},
    {"theplane while t < 51.05", aeroplane, -never, 51.05, light_and_main},
    {"thelong from 34", long_strip, 34.0, never, light_and_main},
    {"one group of ants between 9.26 and 14", early_ants, 9.26, 14.0, light_and_main},
    {"the other ants from 68", late_ants, 68.0, never, light_and_main},
    {"obj1 group 2, with no window", houses, -never, never, light_and_main},
    {"forks from 53.1", forks, 53.1, never, light_and_main},
    {"figures from 68", crowd, 68.0, never, light_and_main},
    {"columns (49.5, 53.1)", columns[0], 49.5, 53.1, light_and_main},
    {"columns (50.4, 55.3)", columns[1], 50.4, 55.3, light_and_main},
    {"columns (52.4, 57.5)", columns[2], 52.4, 57.5, light_and_main},
    {"columns (55, 63.1)", columns[3], 55.0, 63.1, light_and_main},
    {"kolones group 0 from 53", temple_frame, 53.0, never, light_and_main},
};

const LitPass passes[] = {LitPass::light, LitPass::main};

TEST(MiddleWindows, EveryDescribedWindowAndPassHolds) {
    for (const DescribedWindow& d : described) {
        SCOPED_TRACE(d.what);
        EXPECT_FALSE(d.element.chosen) << "the description fixes this window";
        for (LitPass pass : passes)
            for (const auto& [t, inside] : window_probes(d.from, d.to, -5.0, 90.0))
                EXPECT_EQ(d.element.drawn(pass, t), inside && (d.passes & drawn_in_bit(pass)) != 0)
                    << "t = " << t << ", " << (pass == LitPass::light ? "light" : "main") << " pass";
    }
}

TEST(MiddleWindows, TheRowOfCutOutPeopleIsLeftOutOfTheLightPassAndChosenWindowsSaySo) {
    // The description draws the row with no window, but not in the light pass.
    EXPECT_FALSE(people_row.drawn_in(LitPass::light));
    EXPECT_TRUE(people_row.drawn_in(LitPass::main));
    for (const ElementWindow* chosen : {&people_row, &backdrop, &clouds, &curly_clouds, &skylines, &strands})
        EXPECT_TRUE(chosen->chosen);
}

TEST(MiddleWindows, TheRopeIsLedAndLightenedWithinItsWindow) {
    EXPECT_DOUBLE_EQ(rope_led.from, 33.5);
    EXPECT_DOUBLE_EQ(rope_led.to, 37.5);
    EXPECT_TRUE(rope_light.holds(34.51));
    EXPECT_FALSE(rope_light.holds(34.49));
    EXPECT_TRUE(single_rope.holds(rope_led.from) && single_rope.holds(rope_led.to));
}

}  // namespace
