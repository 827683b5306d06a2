// The toys scene's curves as a viewer meets them: the value at each section's own boundaries,
// the direction each fade runs in, and where a section opens on a cut and where it joins the
// previous one smoothly.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "scenes/toys/toys_timeline.h"

namespace {

using Curve = std::function<double(double)>;

// Largest jump between neighbouring samples 1/1000 of a clock second apart over [from, to].
double largest_step(const Curve& f, double from, double to) {
    double largest = 0.0, previous = f(from);
    for (double t = from + 0.001; t <= to; t += 0.001) {
        largest = std::max(largest, std::fabs(f(t) - previous));
        previous = f(t);
    }
    return largest;
}

// f never falls (rising) or never rises (falling) over [from, to].
void expect_monotone(const Curve& f, double from, double to, bool rising) {
    double previous = f(from);
    for (double t = from; t <= to; t += 0.01) {
        const double v = f(t);
        if (rising)
            ASSERT_GE(v, previous - 1e-12) << "falls at " << t;
        else
            ASSERT_LE(v, previous + 1e-12) << "rises at " << t;
        previous = v;
    }
}

const Curve grey = toys::grey_value;

TEST(ToysGreyValue, OpensWhiteUnderTheOpeningsEndAndClearsToThePicture) {
    EXPECT_DOUBLE_EQ(grey(-7.1), 1.0);
    expect_monotone(grey, -7.0, -7.0 + 1 / 0.7, false);
    EXPECT_NEAR(grey(-7.0 + 0.5 / 0.7), 0.75, 1e-12);
    EXPECT_NEAR(grey(-7.0 + 1 / 0.7), 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(grey(-1.0), 0.5);
}

TEST(ToysGreyValue, EachSectionCutsToBlackAndComesInOverItsOwnTime) {
    // (start, rate): black just after the start, half-way at start + 0.5/rate, the picture as it
    // is once start + 1/rate is reached, rising all the way; the start itself still belongs to
    // what came before.
    struct Section {
        double start, rate;
    };
    for (const Section section :
         {Section{0.0, 0.6}, {3.0, 1.1}, {7.0, 1.1}, {21.0, 1.1}, {41.0, 1.1}, {89.0, 0.6}}) {
        SCOPED_TRACE(section.start);
        const double settled = section.start + 1 / section.rate;
        EXPECT_NEAR(grey(section.start + 1e-9), 0.0, 1e-6);
        expect_monotone(grey, section.start + 1e-9, settled, true);
        EXPECT_NEAR(grey(section.start + 0.5 / section.rate), 0.25, 1e-12) << "half-way";
        EXPECT_NEAR(grey(settled), 0.5, 1e-12);
    }
    EXPECT_DOUBLE_EQ(grey(0.0), 0.0) << "the cut at 0 is already black";
    EXPECT_DOUBLE_EQ(grey(3.0), 0.5);
}

TEST(ToysGreyValue, FadesOutBeforeTheTrafficAndInAgainAlmostWithoutAStep) {
    EXPECT_DOUBLE_EQ(grey(39.9), 0.5);
    expect_monotone(grey, 39.9, 41.0, false);
    EXPECT_LT(grey(41.0), 0.02) << "all but black when the next section starts";
    EXPECT_LT(largest_step(grey, 40.9, 41.1), 0.02);
}

TEST(ToysGreyValue, TheTankSectionOpensWhiteAndTheToysABitBright) {
    EXPECT_NEAR(grey(73.0 + 1e-9), 1.0, 1e-6);
    expect_monotone(grey, 73.0 + 1e-9, 73.0 + 1 / 1.1, false);
    EXPECT_NEAR(grey(73.0 + 0.5 / 1.1), 0.75, 1e-12);
    EXPECT_NEAR(grey(73.0 + 1 / 1.1), 0.5, 1e-12);
    EXPECT_NEAR(grey(107.5 + 1e-9), 0.58, 1e-6);
    expect_monotone(grey, 107.5 + 1e-9, 107.5 + 1 / 1.6, false);
    EXPECT_NEAR(grey(120.0), 0.5, 1e-12);
}

TEST(ToysGreyValue, FadesToBlackFrom131AndAHalfAndStaysBlackAfterTheJump) {
    EXPECT_DOUBLE_EQ(grey(131.5), 0.5);
    expect_monotone(grey, 131.5, 133.5, false);
    EXPECT_LT(largest_step(grey, 131.0, 134.0), 0.01) << "a fade, not a cut";
    EXPECT_NEAR(grey(132.5), 0.25, 1e-12);
    EXPECT_NEAR(grey(133.5), 0.0, 1e-12);
    EXPECT_NEAR(grey(243.0), 0.0, 1e-12) << "the jump lands on a black picture";
}

TEST(ToysBlur, FullSoftFocusUntilTheToysThenTwoDips) {
    const Curve blur = toys::blur_amount;
    EXPECT_DOUBLE_EQ(blur(50.0), 1.0);
    EXPECT_DOUBLE_EQ(blur(112.0), 1.0);
    expect_monotone(blur, 112.0, 112.0 + 1 / 1.85, false);
    EXPECT_NEAR(blur(112.0 + 0.5 / 1.85), 0.5, 1e-12);
    EXPECT_NEAR(blur(112.0 + 1 / 1.85), 0.0, 1e-12);
    EXPECT_NEAR(blur(115.0 + 0.5 / 1.85), 0.5, 1e-12);
    EXPECT_NEAR(blur(115.0 + 1 / 1.85), 1.0, 1e-12);
    EXPECT_NEAR(blur(122.0 + 0.5 / 0.85), 0.5, 1e-12);
    EXPECT_NEAR(blur(122.0 + 1 / 0.85), 0.0, 1e-12);
    EXPECT_NEAR(blur(124.5 + 0.5 / 0.85), 0.5, 1e-12);
    EXPECT_NEAR(blur(124.5 + 1 / 0.85), 1.0, 1e-12);
    EXPECT_LT(largest_step(blur, 89.0, 140.0), 0.01) << "the dips are eased";
}

TEST(ToysBlur, TheTankSectionClearsFocusesAndClearsAgainThenJoinsTheRestAt89) {
    const Curve blur = toys::blur_amount;
    EXPECT_DOUBLE_EQ(blur(72.99), 1.0);
    EXPECT_DOUBLE_EQ(blur(73.0), 0.0) << "the section opens sharp";
    EXPECT_DOUBLE_EQ(blur(74.0), 0.0);
    EXPECT_NEAR(blur(76.0), 0.5, 1e-12);
    EXPECT_NEAR(blur(78.0), 1.0, 1e-12);
    EXPECT_NEAR(blur(80.0 + 0.5 / 0.85), 0.5, 1e-12);
    EXPECT_NEAR(blur(80.0 + 1 / 0.85), 0.0, 1e-12);
    EXPECT_NEAR(blur(87.0), 0.5, 1e-12);
    EXPECT_NEAR(blur(88.99), 1.0, 1e-3);
    EXPECT_LT(largest_step(blur, 73.0, 92.0), 0.01) << "smooth through the section and across 89";
}

TEST(ToysBlur, ZoomBlurFallsFromSixtyToNearlyNothingInTheTankSection) {
    const Curve zoom = toys::zoom_blur;
    EXPECT_EQ(zoom(72.99), 0.0);
    EXPECT_DOUBLE_EQ(zoom(73.0), 60.0);
    expect_monotone(zoom, 73.0, 88.99, false);
    EXPECT_NEAR(zoom(73.4 + 2.5), 30.3, 1e-12) << "half-way";
    EXPECT_NEAR(zoom(73.4 + 5.0), 0.6, 1e-12);
    EXPECT_NEAR(zoom(88.99), 0.6, 1e-12);
    EXPECT_EQ(zoom(89.0), 0.0);
    for (double t : {72.99, 73.0, 88.99, 89.0, 107.49, 107.5, 130.0})
        EXPECT_EQ(toys::which_blur(t), (t >= 73.0 && t < 89.0) || t >= 107.5 ? 1.0 : 0.0) << t;
}

TEST(ToysCompose, TheComposeTakesTheCurvesOfItsClock) {
    for (double t : {-5.0, 30.0, 80.0, 120.0}) {
        SCOPED_TRACE(t);
        const ComposeUniforms u = toys::compose_uniforms(t, 0.25f);
        EXPECT_EQ(u.mode, 2);
        EXPECT_FLOAT_EQ(u.ttime, static_cast<float>(t));
        EXPECT_FLOAT_EQ(u.dsp, 0.25f);
        EXPECT_FLOAT_EQ(u.limit, static_cast<float>(toys::blur_amount(t)));
        EXPECT_FLOAT_EQ(u.fade, static_cast<float>(toys::grey_value(t)));
        EXPECT_FLOAT_EQ(u.zoom_blur, static_cast<float>(toys::zoom_blur(t)));
        EXPECT_EQ(u.which_blur, static_cast<float>(toys::which_blur(t)));
        EXPECT_EQ(u.motion_blur[0] + u.motion_blur[1] + u.motion_blur[2], 0.0f);
        EXPECT_TRUE(u.random);
        EXPECT_FALSE(u.shafts) << "the toys run no highlight or shaft passes";
    }
}

TEST(ToysMaterialCurves, EachRampStartsAndEndsWhereItsSectionSays) {
    struct Ramp {
        const char* name;
        Curve curve;
        double from, to;   // still before `from`, settled from `to` on
        double low, high;  // the values there
    };
    const Ramp ramps[] = {
        {"SSAOFactor", toys::ssao_factor, 8.0, 10.5, 0.73, 1.06},
        {"TheFog", toys::fog_level, 12.0, 17.0, 1.0, 4.4},
        {"shadowlevel", toys::shadow_level, 8.0, 8.0 + 1 / 0.3, 0.0, 1.0},
        {"chess timer1", toys::chess_timer, 7.7, 12.7, 0.0, 1.0},
        {"tank ttimer2", toys::tank_timer2, 16.0, 16.0 + 1 / 0.22, 0.0, 1.0},
    };
    for (const Ramp& r : ramps) {
        SCOPED_TRACE(r.name);
        EXPECT_NEAR(r.curve(r.from - 1.0), r.low, 1e-12);
        EXPECT_NEAR(r.curve(r.from), r.low, 1e-12);
        expect_monotone(r.curve, r.from, r.to, r.high > r.low);
        EXPECT_NEAR(r.curve((r.from + r.to) / 2), (r.low + r.high) / 2, 1e-12) << "half-way";
        EXPECT_NEAR(r.curve(r.to), r.high, 1e-12);
        EXPECT_NEAR(r.curve(r.to + 50.0), r.high, 1e-12);
    }
}

TEST(ToysMaterialCurves, RunningGrowsFrom41UntilItStopsAfter105) {
    const Curve running = toys::running;
    EXPECT_EQ(running(30.0), 0.0);
    EXPECT_EQ(running(41.0), 0.0);
    expect_monotone(running, 41.0, 105.0, true);
    EXPECT_GT(running(105.0), 144.0 * 60.0) << "past the soft start it grows with the clock";
    EXPECT_EQ(running(105.01), 0.0);
}

TEST(ToysMaterialCurves, TheTanksFirstTimerRisesDipsAndSettles) {
    const Curve timer = toys::tank_timer1;
    EXPECT_NEAR(timer(8.2), 0.0, 1e-12);
    expect_monotone(timer, 8.2, 15.0, true);
    EXPECT_LT(timer(15.0 + 0.5 / 0.35), timer(15.0)) << "the sine dips it";
    EXPECT_NEAR(timer(80.0), 1.0, 1e-12);
}

}  // namespace
