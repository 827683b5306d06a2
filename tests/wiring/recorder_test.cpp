// The recorder and the pass reading the scene tests rely on: events split into passes by their
// resolves; on a real GL context, the filter helper's passes recorded with their targets, the
// textures they fill, their program's file and the slot each sampler reads; a specialised
// compose's folded "Mode" read from its defines.
#include <GL/glew.h>

#include "render/post_processing.h"
#include "render/shader_library.h"
#include "tests/wiring/pass_tables.h"
#include "tests/wiring/wiring_fixture.h"

namespace {

GlEvent draw_into(uint32_t framebuffer, int outputs) {
    GlEvent e;
    e.kind = GlEvent::draw;
    e.draw_record.framebuffer = framebuffer;
    e.draw_record.outputs = outputs;
    return e;
}

GlEvent blit(uint32_t from, int attachment, uint32_t texture, bool depth = false) {
    GlEvent e;
    e.kind = GlEvent::blit;
    e.blit_record = {from, 9, depth ? -1 : attachment, depth, texture, 64, 36};
    return e;
}

std::vector<std::pair<uint32_t, bool>> writes(const RecordedPass& pass) {
    std::vector<std::pair<uint32_t, bool>> list;
    for (const WrittenTexture& w : pass.writes) list.emplace_back(w.texture, w.depth);
    return list;
}

TEST(PassGrouping, EachResolveEndsAPassAndAResolveWithoutDrawsIsACopy) {
    const std::vector<GlEvent> events = {
        draw_into(5, 1), draw_into(5, 1),        blit(5, 0, 100), blit(5, -1, 101, true),  // light
        draw_into(5, 2), blit(5, 0, 100),        blit(5, 1, 102), blit(5, -1, 103, true),  // main
        blit(5, 0, 104), blit(5, -1, 103, true),                                           // copy
        blit(5, 0, 100), draw_into(6, 1),        draw_into(0, 1)};                         // and so on
    const std::vector<RecordedPass> passes = group_passes(events);
    ASSERT_EQ(passes.size(), 6u);
    EXPECT_EQ(passes[0].draws.size(), 2u);
    EXPECT_EQ(writes(passes[0]), (std::vector<std::pair<uint32_t, bool>>{{100, false}, {101, true}}));
    EXPECT_EQ(passes[1].outputs, 2);
    EXPECT_EQ(writes(passes[1]),
              (std::vector<std::pair<uint32_t, bool>>{{100, false}, {102, false}, {103, true}}));
    EXPECT_TRUE(passes[2].draws.empty()) << "a resolve after a depth copy is another resolve";
    EXPECT_EQ(writes(passes[2]), (std::vector<std::pair<uint32_t, bool>>{{104, false}, {103, true}}));
    EXPECT_EQ(writes(passes[3]), (std::vector<std::pair<uint32_t, bool>>{{100, false}}));
    EXPECT_TRUE(passes[4].writes.empty()) << "a draw into another framebuffer starts a pass of its own";
    EXPECT_EQ(passes[4].framebuffer, 6u);
    EXPECT_EQ(passes[5].framebuffer, 0u);
}

TEST(PassGrouping, ColourAttachmentsCopiedAgainStartAnotherResolve) {
    const std::vector<RecordedPass> passes =
        group_passes({draw_into(5, 2), blit(5, 0, 100), blit(5, 1, 102), blit(5, 1, 102), blit(5, 0, 100)});
    ASSERT_EQ(passes.size(), 3u);
    EXPECT_EQ(passes[0].writes.size(), 2u);
    EXPECT_EQ(passes[1].writes.size(), 1u);
    EXPECT_EQ(passes[2].writes.size(), 1u);
}

class RecorderOnGl : public WiringTest {
protected:
    void SetUp() override {
        set_up_wiring({"Other/PostProcessing/f_simpleblur.glsl", "Other/PostProcessing/f_blurpass2.glsl"});
    }
    static constexpr int blur = 13, compose = 4;
    static constexpr int source = 40, destination = 41;
};

// Three passes of the filter helper: the source read only by the first, the destination by the
// two after it; each pass on target 1 fills the destination.
TEST_F(RecorderOnGl, RecordsTheFilterHelpersPassesWithTheirProgramAndSamplers) {
    ShaderLibrary shaders;
    shaders.load_fragment_program("Other//PostProcessing//f_simpleblur", blur);
    context_.create_random_texture(source, 16, 16);
    context_.create_random_texture(destination, 16, 16);
    const std::vector<RecordedPass> passes =
        record([&] { run_filter_passes(context_, shaders, blur, 1, 3, 16, 16, source, destination); });
    std::vector<ExpectedPass> expected;
    for (int pass = 0; pass < 3; ++pass)
        expected.push_back(wiring::full_screen("blur " + std::to_string(pass), 1, {destination},
                                               "Other/PostProcessing/f_simpleblur",
                                               {{"texture2d_1", pass == 0 ? source : destination}}));
    const std::vector<Difference> differences = check({0.0, passes}, expected);
    for (const Difference& d : differences) ADD_FAILURE() << d.pass << ", " << d.item << ": " << d.detail;
    ASSERT_EQ(passes.size(), 3u);
    EXPECT_EQ(describe(passes[0]), "target 1 x1 -> slot 41 (1 draws: Other/PostProcessing/f_simpleblur)");

    // The same table with the first pass reading the destination: told apart.
    expected[0].samplers = {{"texture2d_1", destination}};
    const std::vector<Difference> wrong = check({0.0, passes}, expected);
    ASSERT_EQ(wrong.size(), 1u);
    EXPECT_EQ(wrong[0].item, "sampler texture2d_1");
    EXPECT_EQ(wrong[0].detail, "reads slot 40, expected slot 41");
    EXPECT_TRUE(no_gl_error());
}

// The compose drawn with its specialised copy, which turns "Mode" into a macro: the value is read
// from the copy's defines, and a wrong one is a difference.
TEST_F(RecorderOnGl, ReadsAFoldedUniformFromTheCopysDefines) {
    ShaderLibrary shaders;
    shaders.load_fragment_program("Other//PostProcessing//f_blurpass2", compose);
    ASSERT_TRUE(context_.specialised_programs);
    ChainTextures textures;
    create_chain_textures(context_, textures, {kWidth, render_height, kWidth, kHeight});
    ComposeUniforms u;
    u.mode = middle_grading;
    u.fade = 0.5f;
    u.random = true;
    const std::vector<RecordedPass> passes = record([&] {
        compose_to_window(context_, shaders, compose, textures, {kWidth, render_height, kWidth, kHeight}, u);
    });
    ExpectedPass pass = wiring::full_screen("compose", -1, {}, "Other/PostProcessing/f_blurpass2",
                                            {{"texture2d_1", textures.colour},
                                             {"texture2d_velocities", textures.velocities},
                                             {"texture2d_random", textures.random_vectors},
                                             {"texture2d_2", textures.depth}},
                                            {{"Mode", {middle_grading}}}, 0.5);
    for (const Difference& d : check({0.0, passes}, {pass})) ADD_FAILURE() << d.item << ": " << d.detail;

    pass.uniforms = {{"Mode", {toys_grading}}};
    const std::vector<Difference> wrong = check({0.0, passes}, {pass});
    ASSERT_EQ(wrong.size(), 1u);
    EXPECT_EQ(wrong[0].detail, "3, expected 2");
    EXPECT_TRUE(no_gl_error());
}

}  // namespace
