#include "anim/spring_chain.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SpringChain, CreatesMassesAtRestJoinedInARow) {
    const SpringChain chain(10, 15.5f, 0.1f, 2.0f);
    ASSERT_EQ(chain.masses.size(), 10u);
    ASSERT_EQ(chain.springs.size(), 9u);
    EXPECT_EQ(chain.springs[3].first, 3);
    EXPECT_EQ(chain.springs[3].second, 4);
    EXPECT_EQ(chain.springs[0].gravity, Vector3(0, -9.81f, 0));
    EXPECT_FLOAT_EQ(chain.springs[0].keep, 0.988f);
    EXPECT_EQ(chain.masses[0].velocity, Vector3(0, 0, 0));
}

TEST(SpringChain, SubstepCountsAreWholeStepsCappedAtTen) {
    EXPECT_EQ(SpringChain::substeps_for(0.0), 1);
    EXPECT_EQ(SpringChain::substeps_for(1e-12), 1);
    EXPECT_EQ(SpringChain::substeps_for(0.0049), 1);
    EXPECT_EQ(SpringChain::substeps_for(0.0051), 2);
    EXPECT_EQ(SpringChain::substeps_for(1.0 / 60.0), 4);
    EXPECT_EQ(SpringChain::substeps_for(0.05), 10);
    EXPECT_EQ(SpringChain::substeps_for(1e12), 10);
    EXPECT_EQ(SpringChain::substeps_for(INFINITY), 10);
    EXPECT_EQ(SpringChain::substeps_for(-0.001), 0);
    EXPECT_EQ(SpringChain::substeps_for(-1.0), 0);
    EXPECT_EQ(SpringChain::substeps_for(NAN), 0);
}

TEST(SpringChain, SimulateRunsTheSpringsInOrderOncePerSubstep) {
    SpringChain simulated(4, 15.5f, 0.1f, 2.0f);
    for (size_t i = 0; i < 4; ++i) simulated.masses[i].position = Vector3(2.5f * i, 0.3f * i, 0);
    simulated.set_gravity({0, -12, 0});
    SpringChain stepped = simulated;

    simulated.simulate(0.012);  // trunc(0.012 / 0.005 + 1) = 3 substeps
    for (int n = 0; n < 3; ++n)
        for (const RopeSpring& s : stepped.springs) stepped.spring_step(s, 0.005f);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(simulated.masses[i].position, stepped.masses[i].position) << i;
        EXPECT_EQ(simulated.masses[i].velocity, stepped.masses[i].velocity) << i;
    }

    SpringChain still = simulated;
    still.simulate(-1.0);
    EXPECT_EQ(still.masses[2].position, simulated.masses[2].position);
}

TEST(SpringChain, SpringStepMatchesHandComputedValues) {
    SpringChain chain(2, 15.5f, 0.1f, 2.0f);
    chain.set_gravity({0, -12, 0});
    chain.masses[1].position = Vector3(3, 0, 0);
    chain.spring_step(chain.springs[0], 0.005f);
    // F = 15.5·(3 − 2) = 15.5; F·D = (46.5, 0, 0); G = (0, −12, 0).
    // a_A = (46.5, −12, 0), a_B = (−46.5, −12, 0); v = 0.0075·a·0.988; p += 0.0075·v.
    const RopeMass& a = chain.masses[0];
    const RopeMass& b = chain.masses[1];
    EXPECT_NEAR(a.velocity.x, 0.0075 * 46.5 * 0.988, 1e-6);
    EXPECT_NEAR(a.velocity.y, 0.0075 * -12 * 0.988, 1e-6);
    EXPECT_NEAR(b.velocity.x, -0.0075 * 46.5 * 0.988, 1e-6);
    EXPECT_NEAR(a.position.x, 0.0075 * 0.0075 * 46.5 * 0.988, 1e-7);
    EXPECT_NEAR(b.position.x, 3 - 0.0075 * 0.0075 * 46.5 * 0.988, 1e-6);
    EXPECT_EQ(a.previous_acceleration, Vector3(46.5f, -12, 0));
    EXPECT_EQ(a.previous_velocity, a.velocity);
}

TEST(SpringChain, GravityUsesTheSecondMassWeightAndFloorsTinyWeights) {
    SpringChain chain(2, 0.0f, 0.0f, 0.0f);
    chain.set_gravity({0, -10, 0});
    chain.masses[0].weight = 0.0f;  // floored to 0.001
    chain.masses[1].weight = 2.0f;
    chain.spring_step(chain.springs[0], 0.005f);
    // G = g·w_B = (0, −20, 0); a_A = G / 0.001, a_B = G / 2.
    EXPECT_NEAR(chain.masses[0].previous_acceleration.y, -20000.0f, 0.01f);
    EXPECT_FLOAT_EQ(chain.masses[1].previous_acceleration.y, -10.0f);
}

TEST(SpringChain, LeadResetsTheMassAtRest) {
    SpringChain chain(10, 15.5f, 0.1f, 2.0f);
    for (int i = 0; i < 5; ++i) chain.simulate(0.02);
    ASSERT_NE(chain.masses[0].velocity, Vector3(0, 0, 0));

    chain.lead(0, 3.0f, {1, 2, 3});
    const RopeMass& m = chain.masses[0];
    EXPECT_EQ(m.position, Vector3(1, 2, 3));
    EXPECT_EQ(m.weight, 3.0f);
    EXPECT_EQ(m.velocity, Vector3(0, 0, 0));
    EXPECT_EQ(m.previous_acceleration, Vector3(0, 0, 0));
    EXPECT_EQ(m.previous_velocity, Vector3(0, 0, 0));

    chain.lead(99, 1.0f, {7, 7, 7});
    EXPECT_EQ(chain.masses[9].position, Vector3(7, 7, 7));
    chain.lead(-4, 1.0f, {5, 5, 5});
    EXPECT_EQ(chain.masses[0].position, Vector3(5, 5, 5));
}

TEST(SpringChain, LedRopeStaysBoundedBelowItsLeadingMass) {
    SpringChain chain(10, 15.5f, 0.1f, 2.0f);
    chain.set_gravity({0, -12, 0});
    for (int frame = 0; frame < 600; ++frame) {
        chain.lead(0, 1.0f, {0, 10, 0});
        chain.simulate(1.0 / 60.0);
    }
    for (size_t i = 1; i < chain.masses.size(); ++i) {
        const RopeMass& m = chain.masses[i];
        EXPECT_TRUE(std::isfinite(m.position.y)) << i;
        EXPECT_LT(m.position.y, 10.0f) << i;
        EXPECT_GT(m.position.y, -100.0f) << i;
    }
}

TEST(SpringChain, RebuildsASplineFromTheFirstMassTwiceThenEveryMass) {
    SpringChain chain(10, 15.5f, 0.1f, 2.0f);
    for (size_t i = 0; i < 10; ++i) chain.masses[i].position = Vector3(0, -1.0f * i, 0);
    Spline s;
    s.closed = false;
    s.append({9, 9, 9});
    s.channel2.push_back({9, 9, 9});
    chain.rebuild_spline(s);
    ASSERT_EQ(s.count, 11);
    ASSERT_EQ(s.points.size(), 11u);
    EXPECT_EQ(s.points[0], chain.masses[0].position);
    EXPECT_EQ(s.points[1], chain.masses[0].position);
    EXPECT_EQ(s.points[10], chain.masses[9].position);
    EXPECT_TRUE(s.channel2.empty());
    EXPECT_EQ(s.channels, 1);
    EXPECT_FALSE(s.closed);
}

}  // namespace
