// The middle scene's passes against the table below, at clock values inside and outside its
// windows: the light pass (the shadow map), the main pass, the occlusion combine and the compose
// (no colour copy: this scene never renders into the velocities texture), each with its target,
// outputs, the textures it fills, its program, the slots its samplers read and its uniforms; in
// the main pass, the general material's samplers and curves.
#include <memory>

#include "scenes/middle/part_middle.h"
#include "tests/wiring/curves.h"
#include "tests/wiring/pass_tables.h"
#include "tests/wiring/wiring_fixture.h"

namespace {

using namespace wiring;

const std::string post = "Other/PostProcessing";

std::vector<std::string> middle_programs() {
    return files("Other/Materials3",
                 {"v_material1", "f_material1", "v_material2", "f_material2", "v_material3", "f_material3"});
}

// E(s, r) of the compose curves, and E'(s, r) of the blur after 51.8.
double ramp(double t, double s, double r = 1.0) { return ease_cos(clamp01((t - s) * r), 1); }

double blur_amount(double t) {
    double b = t > 13.4 ? 2.0
                        : ramp(t, 10.5, 0.5) - ramp(t, 12.5, 1.5) + 0.5 * ramp(t, 26.5, 0.25) -
                              0.5 * ramp(t, 38, 0.55);
    if (t > 51.8) b = 0.4 + 0.6 * ramp(t, 53.2) - 0.5 * ramp(t, 55.2) + 0.5 * ramp(t, 58.3, 0.8);
    if (t >= 68)
        b = ramp(t, 69, 0.35) - ramp(t, 71.5, 0.35);
    else if (t >= 63)
        b = 1;
    return b;
}

double grey_value(double t) {
    double a = 0;
    if (t >= 0) a = 0.5 * ramp(t, 0.1, 0.42) - 0.5;
    if (t >= 63) a = 0.5 * ramp(t, 63, 0.6) - 0.5;
    if (t >= 68) a = 0.5 * ramp(t, 68, 0.6) - 0.5;
    if (t >= 74) a = -0.5 * ramp(t, 74, 0.5);
    return a + 0.5;
}

double ssao_factor(double t) {
    return t >= 63 ? 0.5 : 1 - 0.25 * clamp01((t - 11) * 0.25) - 0.21 * clamp01((t - 56) * 0.3);
}

// The weight of the shake streak; where it is 0 the streak is (0, 0, 0).
double streak_weight(double t) {
    return clamp01(1.2 * (t - 1.5)) - clamp01(0.5 * (t - 3.3)) + clamp01(1.2 * (t - 5.5)) -
           clamp01(0.5 * (t - 6.3));
}

std::vector<ExpectedPass> middle_frame(double t) {
    std::vector<ExpectedPass> passes;
    // Faded out to black (from 76): the window is cleared black and no pass is drawn.
    if (grey_value(t) <= 0) return passes;
    ExpectedPass light = scene_pass("light pass", 1, {0}, 29, middle_programs());
    light.materials.push_back({"Other/Materials3/f_material1", {}, {{"MaterialMultiplier", {0.05}}}});
    passes.push_back(light);
    ExpectedPass main = scene_pass("main pass", 2, {0, 11}, 26, middle_programs());
    main.drawing = {"Other/Materials3/f_material1", "Other/Materials3/f_material3"};
    main.materials.push_back({"Other/Materials3/f_material1",
                              {{"texture2d_1", 2010},
                               {"texture2d_2", 29},
                               {"texture2d_3", 2111},
                               {"texture2d_chess", 2013},
                               {"texture2d_reflection", 11},
                               {"texture2d_paper", 2112},
                               {"texture2d_texturedblob", 2113},
                               {"texture2d_blob", 2012}},
                              {{"MaterialMultiplier", {1}},
                               {"PosY", {0}},
                               {"ScaleDown", {3.5 - 1.4 * 0.61 * soft_ramp(t - 3)}},
                               {"ttime", {t}}}});
    passes.push_back(main);
    passes.push_back(
        full_screen("occlusion combine", 0, {0}, post + "/f_combineSSAO2",
                    {{"texture2d_1", 0}, {"texture2d_2", 26}, {"texture2d_3", 11}, {"texture2d_random", 27}},
                    {{"Limit", {occlusion_flicker(t)}}, {"SSAOFactor", {ssao_factor(t)}}}));
    std::vector<ExpectedUniform> compose = {{"Limit", {blur_amount(t)}},
                                            {"DSP", {0.37}},
                                            {"Mode", {3}},
                                            {"isMiddleScene", {0}},
                                            {"WhichBlur", {1}},
                                            {"ttime", {t}},
                                            {"SetBlur", {t > 51.8 ? 1.0 : 0.0}}};
    if (streak_weight(t) == 0) compose.push_back({"MotionBlur", {0, 0, 0}});
    passes.push_back(full_screen(
        "compose", -1, {}, post + "/f_blurpass2",
        {{"texture2d_1", 0}, {"texture2d_velocities", 32}, {"texture2d_random", 27}, {"texture2d_2", 26}},
        compose, grey_value(t)));
    return passes;
}

// Where the middle scene is known to differ from its description, awaiting a mend.
const std::vector<KnownDifference> middle_known = {};

class MiddleWiring : public WiringTest {
protected:
    void SetUp() override {
        set_up_wiring({"neomeshes/obj1.objt", "neomeshes/thecity1.objt", "textures/videos1/t0000.png",
                       "textures/Tsun.png", "Other/Materials3/f_material1.glsl",
                       "Other/PostProcessing/f_blurpass2.glsl"});
    }
};

TEST_F(MiddleWiring, EveryPassIsWiredAsDescribedInsideAndOutsideItsWindow) {
    auto scene = std::make_unique<part_middle>();
    load(*scene, 0.0);
    // Around the blur's steps (13.4, 51.8, 63, 68), the grey's (63, 68, 74) and the streak's.
    report_differences(
        check_at_clocks(*scene, {1, 5, 12, 30, 51.6, 52, 62.8, 63.2, 68.5, 72, 76}, 1.11, middle_frame),
        middle_known);
}

}  // namespace
