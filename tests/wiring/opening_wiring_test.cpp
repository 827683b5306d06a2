// The opening's passes, frame by frame, against the table below: the background pre-pass while
// the sea is drawn, the depth pre-pass on the stage, the scene pass, the occlusion combine, the
// highlight and shaft passes and the compose, each with its target, outputs, the textures it
// fills, its program, the slots its samplers read and the values the composite is handed.
//
// The opening's clock runs from 4.15 to about 16.8, jumps to 56 when 38 s of show time have
// passed, runs to about 70.6 and jumps back to 56 at 57 s: the frames below follow the show's own
// time steps, so every pass window the viewer sees is drawn inside and outside (the pre-pass
// windows at 27..30.8 and 51.8..51.9 of the clock lie where the clock never runs).
#include <memory>

#include "scenes/opening/part_begin.h"
#include "tests/wiring/curves.h"
#include "tests/wiring/pass_tables.h"
#include "tests/wiring/wiring_fixture.h"

namespace {

using namespace wiring;

const std::string post = "Other/PostProcessing";

// The scene's programs (vertex and fragment files).
std::vector<std::string> opening_programs() {
    return files("Other/Materials", {"v_material1sea",
                                     "f_material1sea",
                                     "v_material2turtle",
                                     "f_material2turtle",
                                     "v_material2particles",
                                     "f_material2particles",
                                     "v_material2fish",
                                     "f_material2fish",
                                     "v_materialseafloor",
                                     "f_materialseafloor",
                                     "v_materialbeetle",
                                     "f_materialbeetle",
                                     "v_material2goldfish",
                                     "f_material2goldfish",
                                     "v_material2particles2",
                                     "f_material2particles2",
                                     "v_blub",
                                     "f_blub",
                                     "v_background",
                                     "f_background",
                                     "v_man",
                                     "f_man",
                                     "v_material2fish2",
                                     "f_material2fish2",
                                     "v_train",
                                     "f_train",
                                     "v_tree",
                                     "f_tree",
                                     "v_happiness",
                                     "f_happiness",
                                     "v_escher",
                                     "f_escher",
                                     "f_escher2",
                                     "f_background2",
                                     "v_door",
                                     "f_door",
                                     "v_house",
                                     "f_house",
                                     "v_billboards",
                                     "f_billboards"});
}

double e2(double x) { return ease_cos(x, 2.0); }
double pulse(double k, double x) { return clamp01(k * std::sin(M_PI * clamp01(x))); }

// The composite's second "Limit", "Flo", "MotionBlur" and fade, with camera_z = 0.
double composite_limit(double s) {
    return 1 - e2(1.5 * (s - 12.5)) + e2(1.5 * (s - 15)) - e2(0.7 * (s - 22)) + e2(0.5 * (s - 27.5)) -
           e2(0.5 * (s - 36));
}
double composite_flo(double s) {
    return e2(0.4 * (s - 6)) - e2(0.3 * (s - 18.5)) + e2(1.3 * (s - 20)) - 0.8 * e2(0.8 * (s - 30.5)) +
           0.8 * e2(s - 35.5) - 0.8 * e2(s - 50.5) - e2(2 * (s - 54.5));
}
std::vector<double> composite_motion_blur(double s) {
    return {0.01 * (3.06 * pulse(1.15, 0.28 * (s - 72.1)) + 2.8 * pulse(1.8, 0.24 * (s - 106.9))),
            0.01 * 5.7 * pulse(1.22, 0.7 * (s - 100.5)), 0.0};
}
double fade_level(double s) { return 1 - ease_cos(1 - clamp01(0.35 * (s - 116)), 1); }

// The frame's passes; the depth pre-pass only with the reference chain (`reference`): the show's
// own chain leaves it out, since its one reader, the sea, is gone before it starts.
std::vector<ExpectedPass> opening_frame(double s, bool reference) {
    std::vector<ExpectedPass> passes;
    if (s <= 51.8 && !(s > 27 && s < 30.8))
        passes.push_back(full_screen("background pre-pass", 1, {100}, "", {{"fixed-function unit 0", 12}}));
    if (reference && s > 51.848) {
        ExpectedPass depth = scene_pass("depth pre-pass", 1, {10000}, 10029, opening_programs());
        depth.drawing = {"Other/Materials/v_background"};  // background2's pass: its depth-only form
        passes.push_back(depth);
    }
    ExpectedPass main = scene_pass("main pass", 2, {10000, 10011}, 10026, opening_programs());
    if (s <= 51.8 && s < 26) {
        main.drawing.push_back("Other/Materials/f_material1sea");
        main.materials.push_back({"Other/Materials/f_material1sea",
                                  {{"texture2d_1", 10},
                                   {"texture2d_2", 10029},
                                   {"texture2d_3", 100},
                                   {"texture2d_blob", 12},
                                   {"texture2d_cube", 200}},
                                  {{"ttime", {s}},
                                   {"PosY", {1.2 * e2(clamp01(0.07 * s)) + 0.1}},
                                   {"Light", {ease_cos(0.15 * (s - 2), 1)}}}});
    }
    if (s > 51.848 && s < 94.6) main.drawing.push_back("Other/Materials/f_background");
    if (s > 51.848 && s < 72.5) main.drawing.push_back("Other/Materials/f_man");
    if (s > 51.848 && s < 75.2) main.drawing.push_back("Other/Materials/f_material2fish2");
    passes.push_back(main);
    passes.push_back(full_screen(
        "occlusion combine", 0, {10000}, post + "/f_combineSSAO2",
        {{"texture2d_1", 10000}, {"texture2d_2", 10026}, {"texture2d_3", 10011}, {"texture2d_random", 10027}},
        {{"Limit", {occlusion_flicker(s)}}}));
    if (s < 51.9) {
        passes.push_back(
            full_screen("highlight blur", 1, {10028}, post + "/f_blurhighlights", {{"texture2d_1", 10000}}));
        passes.push_back(full_screen("light shafts", 1, {10028},
                                     post + (s <= 51.848 ? "/f_godrays" : "/f_godrays2"),
                                     {{"texture2d_1", 10028}}));
    }
    passes.push_back(full_screen("compose", -1, {}, post + "/f_blurpass2",
                                 {{"texture2d_velocities", 10032},
                                  {"texture2d_2", 10026},
                                  {"texture2d_3", 10028},
                                  {"texture2d_1", 10000}},
                                 {{"Mode", {1}},
                                  {"ttime", {s}},
                                  {"Limit", {composite_limit(s)}},
                                  {"PosY", {0}},
                                  {"Flo", {composite_flo(s)}},
                                  {"MotionBlur", composite_motion_blur(s)}},
                                 fade_level(s)));
    return passes;
}

// Where the opening differs from its description on purpose.
const std::vector<KnownDifference> opening_known = {
    {"compose", "sampler texture2d_3",
     "once the shaft passes stop (clock 51.9) the compose leaves the stale shaft picture unbound and "
     "weighs it 0 instead of reading slot 10028 from an earlier frame: what an earlier frame left "
     "there depends on which frames were drawn, so a seek would show another picture than playing",
     "expected slot 10028"},
    {"main pass", "program Other/Materials/f_man",
     "a figure wholly out of the picture is not sent: where the stage's camera looks away from all of "
     "them (clocks 61.1 and 64.2 of these steps) the figures' program draws nothing",
     "does not draw"},
};

class OpeningWiring : public WiringTest {
protected:
    void SetUp() override {
        set_up_wiring({"neomeshes/human4.objt", "neomeshes/seaplane.objt", "neomeshes/background2.objt",
                       "textures/noise.jpg", "Other/Materials/f_man.glsl",
                       "Other/PostProcessing/f_blurpass2.glsl"});
    }
};

// Show-time steps: the first frame, the warm-up frame (drawn 60 s of clock ahead), the sea
// descending, the jump to the stage, the stage, the jump back and the stage again.
TEST_F(OpeningWiring, EveryPassIsWiredAsDescribedInsideAndOutsideItsWindow) {
    auto scene = std::make_unique<part_begin>();
    load(*scene, 4.15);
    report_differences(check_after_steps(*scene, {0.0, 0.1, 11.9, 18.0, 7.8, 0.3, 6.9, 11.9, 0.3, 12.0},
                                         [](double s) { return opening_frame(s, false); }),
                       opening_known);
}

// The depth pre-pass fills slot 10029 on the stage with the reference chain only.
TEST_F(OpeningWiring, OnlyTheReferenceChainDrawsTheDepthPrePass) {
    for (bool reference : {false, true}) {
        context_.specialised_programs = !reference;
        auto scene = std::make_unique<part_begin>();
        load(*scene, 4.15);
        Frame frame;
        for (double step : {0.0, 0.1, 11.9, 18.0, 7.8, 0.3, 6.9}) frame = record_frame(*scene, step);
        ASSERT_GT(frame.clock, 51.848) << "on the stage";
        EXPECT_EQ(writes_to(frame, 10029, true), reference ? 1 : 0)
            << (reference ? "reference chain" : "the show's chain");
    }
}

}  // namespace
