// The ropes: the rebuild into a curve (first mass twice, open), how they are made and hung, the
// led end and the lighter gravity of the single rope.
#include <gtest/gtest.h>

#include "scenes/middle/rope_rig.h"

namespace {

using namespace middle;

TEST(RopeCurve, RebuildsWithTheFirstMassTwiceAndStaysOpen) {
    SpringChain chain(rope_masses, rope_stiffness, rope_damping, rope_rest_length);
    for (int m = 0; m < rope_masses; ++m) chain.masses[m].position = {static_cast<float>(m), -2.0f * m, 0.5f};
    Spline curve;
    rope_curve(chain, curve, 0);
    ASSERT_EQ(curve.count, rope_masses + 1);
    ASSERT_EQ(curve.points.size(), static_cast<size_t>(rope_masses + 1));
    EXPECT_EQ(curve.channels, 1);
    EXPECT_FALSE(curve.closed);
    EXPECT_EQ(curve.points[0].x, 0.0f);
    EXPECT_EQ(curve.points[1].x, 0.0f);
    for (int m = 0; m < rope_masses; ++m) EXPECT_EQ(curve.points[m + 1].y, -2.0f * m);

    // Respaced for the stars: 30 points from the led end down the rope, never looping back up.
    rope_curve(chain, curve, 30);
    ASSERT_EQ(curve.points.size(), 30u);
    EXPECT_NEAR(curve.points.front().y, 0.0f, 1e-4);
    for (size_t k = 1; k < curve.points.size(); ++k)
        EXPECT_LE(curve.points[k].y, curve.points[k - 1].y + 1e-4f);
}

TEST(RopeRig, MakesTenFieldRopesAndOneSingleRopeHangingFromTheirEnds) {
    RopeRig rig;
    rig.create();
    ASSERT_EQ(rig.field.size(), 10u);
    ASSERT_EQ(rig.single.size(), 1u);
    for (const SpringChain& rope : rig.field) {
        ASSERT_EQ(rope.masses.size(), 10u);
        ASSERT_EQ(rope.springs.size(), 9u);
        for (const RopeSpring& s : rope.springs) {
            EXPECT_EQ(s.stiffness, 15.5f);
            EXPECT_EQ(s.damping, 0.1f);
            EXPECT_EQ(s.rest_length, 2.0f);
            EXPECT_EQ(s.gravity.y, -12.0f);
        }
        EXPECT_GT(rope.masses[0].position.y, rope.masses[9].position.y);
    }
}

TEST(RopeRig, TheSingleRopeIsLedByTheMoonAndLightensFrom34Point5) {
    RopeRig rig;
    rig.create();
    rig.step_single(30.0, 0.02);
    EXPECT_EQ(rig.single[0].springs[0].gravity.y, -12.0f);
    const Vector3 held = RopeRig::moon_position(30.0);
    EXPECT_FLOAT_EQ(rig.single[0].masses[0].position.x, held.x);
    rig.step_single(34.5, 0.02);
    for (const RopeSpring& s : rig.single[0].springs) EXPECT_EQ(s.gravity.y, -8.0f);

    // Carried only between 33.5 and 37.5.
    EXPECT_FLOAT_EQ(RopeRig::moon_position(20.0).x, RopeRig::moon_position(33.5).x);
    EXPECT_FLOAT_EQ(RopeRig::moon_position(37.5).x, RopeRig::moon_position(39.0).x);
    EXPECT_GT(RopeRig::moon_position(37.5).x - RopeRig::moon_position(33.5).x, 10.0f);
}

TEST(RopeRig, AFieldRopeSwingsBehindItsLedEndAndHangsBelowIt) {
    RopeRig rig;
    rig.create();
    double t = 0.0;
    for (int frame = 0; frame < 300; ++frame, t += 1.0 / 60.0) rig.step_field(t, 1.0 / 60.0);
    const SpringChain& rope = rig.field[4];
    const Vector3 top = RopeRig::field_anchor(4, t - 1.0 / 60.0);
    EXPECT_NEAR(rope.masses[0].position.x, top.x, 0.05f) << "the led end barely moves under its heavy weight";
    for (int m = 1; m < rope_masses; ++m) EXPECT_LT(rope.masses[m].position.y, rope.masses[m - 1].position.y);
    // Nine springs of rest length 2 stretch to about 33 under their own weight.
    const float drop = rope.masses[0].position.y - rope.masses[9].position.y;
    EXPECT_GT(drop, 25.0f);
    EXPECT_LT(drop, 40.0f);
    // Drawn at rope_scale, a hanging rope ends above the stage floor.
    EXPECT_GT(rope_scale * rope.masses[9].position.y, 0.0f);
}

}  // namespace
