// The final scene's passes against the table below, at clock values inside and outside each pass
// window: the glow texture from 99.5, the light pass except while 67.5 < t < 89.1, the mirrored
// pass while t < 66.5, the main pass, the occlusion combine, the highlight blur and the light
// shafts after 113.3 (the reference chain only) and the compose, each with its target, outputs,
// the textures it fills, its program, the slots its samplers read and its uniforms; in the scene
// passes, the general material's samplers and values, the credits material's "isCredits", the
// glow texture wherever a material reads it, and the sky drawn last.
#include <memory>

#include "scenes/finale/part_text.h"
#include "tests/wiring/curves.h"
#include "tests/wiring/pass_tables.h"
#include "tests/wiring/wiring_fixture.h"

namespace {

using namespace wiring;

const std::string post = "Other/PostProcessing", m4 = "Other/Materials4";
constexpr double adjust_a = 0.23;  // the developer value the compose's "Limit" is handed

std::vector<std::string> final_programs() {
    return joined({files("Other/Materials", {"v_material2particles3", "f_material2particles3",
                                             "v_billboards2", "f_billboards2"}),
                   files(m4, {"v_material1", "f_material1", "v_material1sea", "f_material1sea", "v_material2",
                              "f_material2", "v_material3", "f_material3", "v_materialcredits",
                              "f_materialcredits", "v_materialskybox", "f_materialskybox"})});
}

ExpectedPass final_scene_pass(const std::string& name, double t) {
    const bool light = name == "light pass", mirrored = name == "mirrored pass";
    ExpectedPass pass = scene_pass(name, light ? 1 : 2, light ? std::vector<int>{0} : std::vector<int>{0, 11},
                                   light ? 29 : 26, final_programs());
    if (light) return pass;  // drawn with depth-only copies: their values do not reach the picture
    pass.last = m4 + "/f_materialskybox";
    pass.materials.push_back({m4 + "/f_material1",
                              {{"texture2d_1", 3010},
                               {"texture2d_2", 29},
                               {"texture2d_3", 3111},
                               {"texture2d_blob", 3012},
                               {"texture2d_texturedblob", 3113},
                               {"texture2d_reflection", 11},
                               {"texture2d_paper", 3112},
                               {"texture2d_flower", 3114}},
                              {{"MaterialMultiplier", {1}},
                               {"PosY", {0}},
                               {"ReflectPass", {mirrored ? 1.0 : 0.0}},
                               {"ttime", {t}}}});
    for (const char* file : {"/f_material1sea", "/f_material2", "/f_materialskybox"})
        pass.materials.push_back({m4 + file, {{"texture2d_glow", 100}}, {}});
    MaterialExpectation credits{m4 + "/f_material3", {{"texture2d_glow", 100}}, {}};
    if (t > 105) credits.uniforms.push_back({"isCredits", {1}});
    pass.materials.push_back(credits);
    return pass;
}

// The frame's passes; the highlight and shaft passes only with the reference chain (`reference`):
// the compose does not read what they draw, and the show's own chain leaves them out.
std::vector<ExpectedPass> final_frame(double t, bool reference) {
    std::vector<ExpectedPass> passes;
    if (t >= 99.5)
        passes.push_back(full_screen("glow texture", 1, {100}, "", {{"fixed-function unit 0", 3012}}));
    if (t <= 67.5 || t >= 89.1) passes.push_back(final_scene_pass("light pass", t));
    if (t < 66.5) passes.push_back(final_scene_pass("mirrored pass", t));
    passes.push_back(final_scene_pass("main pass", t));
    passes.push_back(
        full_screen("occlusion combine", 0, {0}, post + "/f_combineSSAO2",
                    {{"texture2d_1", 0}, {"texture2d_2", 26}, {"texture2d_3", 11}, {"texture2d_random", 27}},
                    {{"Limit", {occlusion_flicker(t)}}, {"SSAOFactor", {1}}}));
    if (reference)
        passes.push_back(
            full_screen("highlight blur", 1, {28}, post + "/f_blurhighlights_toys", {{"texture2d_1", 0}}));
    if (reference && t > 113.3)
        passes.push_back(full_screen("light shafts", 1, {28}, post + "/f_godrays_toys2",
                                     {{"texture2d_1", 28}}, {{"Limit", {clamp01((t - 115.7) * 0.15)}}}));
    passes.push_back(full_screen(
        "compose", -1, {}, post + "/f_blurpass2",
        {{"texture2d_1", 0}, {"texture2d_velocities", 32}, {"texture2d_random", 27}, {"texture2d_2", 26}},
        {{"isMiddleScene", {0}},
         {"WhichBlur", {0}},
         {"SetBlur", {t >= 51.8 ? 1.0 : 0.0}},
         {"Limit", {adjust_a}},
         {"DSP", {0.37}},
         {"Mode", {4}},
         {"ttime", {t}}},
        0.5 * ease_cos(clamp01((t - 0.1) * 0.6), 1)));
    return passes;
}

// Where the final scene is known to differ from its description, awaiting a mend.
const std::vector<KnownDifference> final_known = {};

class FinalWiring : public WiringTest {
protected:
    void SetUp() override {
        set_up_wiring({"neomeshes/wall.objt", "neomeshes/Asm1.objt", "neomeshes/avatar_walk.bvh",
                       "textures/tile.jpg", "Other/Materials4/f_material1.glsl",
                       "Other/PostProcessing/f_blurpass2.glsl"});
        shared_.adjust_a = adjust_a;
    }
};

TEST_F(FinalWiring, EveryPassIsWiredAsDescribedInsideAndOutsideItsWindow) {
    auto scene = std::make_unique<part_text>();
    load(*scene, 25.0);
    // Around the edges of the glow (99.5), light (67.5, 89.1), mirrored (66.5) and shaft (113.3)
    // windows, the glow around the picture (51.8), "isCredits" (105) and the shafts' "Limit".
    report_differences(check_at_clocks(*scene,
                                       {30, 51.6, 52, 66.3, 66.7, 67.3, 67.7, 89, 89.3, 99.3, 99.7, 106,
                                        113.1, 113.5, 120, 125, 150},
                                       1.04, [](double t) { return final_frame(t, false); }),
                       final_known);
}

// The highlights (slot 28) are filled with the reference chain only, also while the shafts run.
TEST_F(FinalWiring, OnlyTheReferenceChainDrawsTheHighlightAndShaftPasses) {
    for (bool reference : {false, true}) {
        context_.specialised_programs = !reference;
        auto scene = std::make_unique<part_text>();
        load(*scene, 25.0);
        const Frame frame = record_at(*scene, 120.0, 1.04);
        EXPECT_EQ(writes_to(frame, 28, false), reference ? 2 : 0)
            << (reference ? "reference chain" : "the show's chain");
    }
}

}  // namespace
