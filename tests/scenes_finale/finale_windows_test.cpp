// Every element window and pass membership the final scene's description gives, checked against
// the table below (written from the description, not from finale_windows.h): each element is
// drawn just inside its window and not just outside it, in the passes it belongs to only.
// Windows the description leaves open are this scene's choice and must say so.
#include <gtest/gtest.h>

#include <vector>

#include "scenes/finale/finale_windows.h"
#include "tests/support/described_windows.h"

namespace {

using namespace finale;

constexpr unsigned not_light = in_mirrored | in_main;

const std::vector<DescribedWindow> described = {
    {"the colony of ants, with no window", colony, -never, never, in_every_pass},
    {"a single ant in 7.5 < t < 13.5", single_ants[0], 7.5, 13.5, in_every_pass},
    {"a single ant in 9.41 < t < 11.5", single_ants[1], 9.41, 11.5, in_every_pass},
    {"a single ant for t > 15.8", single_ants[2], 15.8, never, in_every_pass},
    {"a single ant in 16 < t < 37", single_ants[3], 16.0, 37.0, in_every_pass},
    {"the tubes, growing, with no end", tubes, -never, never, in_every_pass},
    {"the house, with no window", house, -never, never, in_every_pass},
    {"the trunk while t < 89", tree_trunk, -never, 89.0, in_every_pass},
    {"the leaves while 63 < t < 88", tree_leaves, 63.0, 88.0, in_every_pass},
    {"the moving tree while 79 < t < 105", moving_tree, 79.0, 105.0, in_every_pass},
    {"its trunk and leaves while 81 < t < 103", moving_tree_parts, 81.0, 103.0, in_every_pass},
    {"the diver from 79, with no end", diver, 79.0, never, in_every_pass},
    {"a further copy of face group 3 while 91 < t < 116", extra_face, 91.0, 116.0, in_every_pass},
    {"the credits from 121, not in the light or mirrored pass", credits, 121.0, never, in_main},
};

const LitPass passes[] = {LitPass::light, LitPass::mirrored, LitPass::main};

TEST(FinaleWindows, EveryDescribedWindowAndPassHolds) {
    for (const DescribedWindow& d : described) {
        SCOPED_TRACE(d.what);
        EXPECT_FALSE(d.element.chosen) << "the description fixes this window";
        for (LitPass pass : passes)
            for (const auto& [t, inside] : window_probes(d.from, d.to, 25.0, 170.0))
                EXPECT_EQ(d.element.drawn(pass, t), inside && (d.passes & drawn_in_bit(pass)) != 0)
                    << "t = " << t;
    }
}

TEST(FinaleWindows, DescribedStartsAndPassesHoldWhereTheWindowIsChosen) {
    // The description gives these a start and the passes they skip, and leaves the rest open.
    EXPECT_TRUE(wall.chosen);
    EXPECT_FALSE(wall.holds(flight_from - 10.01)) << "the wall stands before its pieces fly from 54";
    EXPECT_TRUE(wall.holds(flight_from) && wall.holds(170.0)) << "and its pieces stay where they fall";
    EXPECT_DOUBLE_EQ(flight_from, 54.0);
    EXPECT_DOUBLE_EQ(moon.from, 62.7);
    EXPECT_EQ(moon.passes, static_cast<unsigned>(in_main)) << "the moon: not in the light or mirrored pass";
    EXPECT_DOUBLE_EQ(backdrop.from, 116.0);
    EXPECT_FALSE(backdrop.drawn_in(LitPass::mirrored)) << "the layer from 116: not in the mirrored pass";
    const double layer_starts[6] = {91.0, 60.0, 60.0, 60.0, 80.0, 90.0};
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(layers[i].from, layer_starts[i]) << i;
        EXPECT_TRUE(layers[i].drawn_in(LitPass::mirrored) && layers[i].drawn_in(LitPass::main)) << i;
    }
    EXPECT_TRUE(sky.drawn_in(LitPass::mirrored) && sky.drawn_in(LitPass::main));
    for (const ElementWindow* chosen : {&wall, &runners, &walkers, &moon, &backdrop, &sky, &ground})
        EXPECT_TRUE(chosen->chosen);
    for (const ElementWindow& layer : layers) EXPECT_TRUE(layer.chosen);
}

TEST(FinaleWindows, FacesAndMosaicVanishAtTheDescribedTimes) {
    EXPECT_DOUBLE_EQ(faces_from, 87.8);
    const int groups[4] = {3, 0, 1, 2};
    const double ends_a[4] = {115.0, 115.3, 115.4, 115.5}, ends_b[4] = {115.15, 115.7, 115.9, 115.8};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(face_groups[k], groups[k]);
        EXPECT_DOUBLE_EQ(face_ends_a[k], ends_a[k]);
        EXPECT_DOUBLE_EQ(face_ends_b[k], ends_b[k]);
    }
    EXPECT_DOUBLE_EQ(mosaic_upper_end, 120.0);
    EXPECT_DOUBLE_EQ(mosaic_lower_end, 121.0);
    EXPECT_DOUBLE_EQ(mosaic_light_end, 121.5);
    EXPECT_DOUBLE_EQ(mosaic_view_end, 121.3);
    EXPECT_DOUBLE_EQ(credits_material_after, 105.0);
    EXPECT_DOUBLE_EQ(credit_line_starts.front(), 121.0);
}

}  // namespace
