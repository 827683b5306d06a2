// GraphicsContext: texture slots, render-target creation, binding and resolving.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "render/graphics_context.h"
#include "tests/support/gl_context.h"

namespace {

class GraphicsContextTest : public GlTest {};

GLint renderbuffer_size(GLuint name, GLenum what) {
    GLint value = 0;
    glBindRenderbuffer(GL_RENDERBUFFER, name);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, what, &value);
    return value;
}

GLuint colour_texture(int w, int h) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    return name;
}

std::vector<uint8_t> read_texture(GLuint name, GLenum format, GLenum type, int bytes) {
    std::vector<uint8_t> pixels(bytes);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, type, pixels.data());
    return pixels;
}

}  // namespace

TEST_F(GraphicsContextTest, StartUpCreatesFullAndQuarterTargets) {
    GraphicsContext context;
    int calls = 0;
    EXPECT_TRUE(context.compress_textures);
    context.start_up([&](double) { ++calls; }, 1366, 768, true);
    EXPECT_EQ(renderbuffer_size(context.texture_table[10000], GL_RENDERBUFFER_WIDTH), 1366);
    EXPECT_EQ(renderbuffer_size(context.texture_table[10016], GL_RENDERBUFFER_HEIGHT), 768);
    EXPECT_EQ(renderbuffer_size(context.texture_table[10001], GL_RENDERBUFFER_WIDTH), 341);
    EXPECT_EQ(renderbuffer_size(context.texture_table[10049], GL_RENDERBUFFER_HEIGHT), 192);
    GLint format = 0;
    glBindRenderbuffer(GL_RENDERBUFFER, context.texture_table[10048]);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_DEPTH_COMPONENT24);
    EXPECT_NE(context.texture_table[10064], 0u);
    EXPECT_NE(context.texture_table[10081], 0u);
    EXPECT_EQ(context.texture_table[10066], 0u);  // targets 2..15 are never created
    glBindFramebuffer(GL_FRAMEBUFFER, context.texture_table[10064]);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_FALSE(context.compress_textures);
    EXPECT_FALSE(context.placeholder_textures);
    EXPECT_TRUE(context.low_detail);
    ASSERT_TRUE(context.progress);
    context.progress(0.5);
    EXPECT_EQ(calls, 1);
    context.bind_window_framebuffer();
    EXPECT_TRUE(no_gl_error());
}

TEST_F(GraphicsContextTest, TargetAndColourCountsAreClamped) {
    GraphicsContext context;
    context.create_render_target(20, 8, 8, 0);
    EXPECT_NE(context.texture_table[10064 + 15], 0u);
    EXPECT_NE(context.texture_table[10080 + 15], 0u);
    context.create_render_target(-3, 8, 8, 0);
    EXPECT_NE(context.texture_table[10064], 0u);

    GLint buffer = 0;
    context.bind_render_target(20, 0);
    GLint bound = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), context.texture_table[10064 + 15]);
    glGetIntegerv(GL_DRAW_BUFFER0, &buffer);
    EXPECT_EQ(buffer, GL_COLOR_ATTACHMENT0);
    glGetIntegerv(GL_DRAW_BUFFER1, &buffer);
    EXPECT_EQ(buffer, GL_NONE);

    // Attaching to target 20 is attaching to target 15, not to whatever name sits at 10100.
    context.create_grid_texture(30);
    EXPECT_EQ(context.attach_color_texture(20, 5, 30), static_cast<uint32_t>(GL_FRAMEBUFFER_COMPLETE));
    GLint attached = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), context.texture_table[10080 + 15]);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT2,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &attached);
    EXPECT_EQ(static_cast<GLuint>(attached), context.texture_name(30));  // attachment 5 → 2

    context.bind_render_target(15, 7);
    glGetIntegerv(GL_DRAW_BUFFER2, &buffer);
    EXPECT_EQ(buffer, GL_COLOR_ATTACHMENT2);
    glGetIntegerv(GL_DRAW_BUFFER3, &buffer);
    EXPECT_EQ(buffer, GL_NONE);
    context.bind_window_framebuffer();
    EXPECT_TRUE(no_gl_error());
}

TEST_F(GraphicsContextTest, ResolveCopiesTheAskedColoursAndLeavesDepth) {
    GraphicsContext context;
    context.create_render_target(0, 16, 16, 0);
    context.texture_table[20] = colour_texture(16, 16);
    context.texture_table[21] = colour_texture(16, 16);
    context.create_depth_texture(22, 16, 16);
    const std::vector<uint32_t> quarter(16 * 16, 0x40000000u);  // depth 0.25 in 24.8 bits
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, 16, 16, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                 quarter.data());

    EXPECT_EQ(context.attach_color_texture(0, 0, 20), static_cast<uint32_t>(GL_FRAMEBUFFER_COMPLETE));
    context.attach_color_texture(0, 1, 21);
    context.attach_depth_texture(0, 22);
    context.bind_render_target(0, 2);
    const GLfloat red[4] = {1, 0, 0, 1}, blue[4] = {0, 0, 1, 1};
    glClearBufferfv(GL_COLOR, 0, red);
    glClearBufferfv(GL_COLOR, 1, blue);
    const GLfloat far_depth = 1.0f;
    glClearBufferfv(GL_DEPTH, 0, &far_depth);
    context.resolve_render_target(0, 16, 16, 2, false);
    context.bind_window_framebuffer();

    const auto colour0 = read_texture(context.texture_name(20), GL_RGBA, GL_UNSIGNED_BYTE, 16 * 16 * 4);
    const auto colour1 = read_texture(context.texture_name(21), GL_RGBA, GL_UNSIGNED_BYTE, 16 * 16 * 4);
    EXPECT_EQ(colour0[0], 255);
    EXPECT_EQ(colour0[2], 0);
    EXPECT_EQ(colour1[0], 0);
    EXPECT_EQ(colour1[4 * 255 + 2], 255);
    std::vector<float> depth(16 * 16);
    glBindTexture(GL_TEXTURE_2D, context.texture_name(22));
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    EXPECT_NEAR(depth[17], 0.25f, 1e-3f);

    // With depth copied, the cleared far plane arrives.
    context.resolve_render_target(0, 16, 16, 1, true);
    context.bind_window_framebuffer();
    glBindTexture(GL_TEXTURE_2D, context.texture_name(22));
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    EXPECT_NEAR(depth[17], 1.0f, 1e-3f);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(GraphicsContextTest, TextureSlotsRelativeAbsoluteAndRefused) {
    GraphicsContext context;
    context.texture_table[0] = 11;
    context.texture_table[85000] = 12;
    EXPECT_EQ(context.texture_name(0), 11u);
    EXPECT_EQ(context.texture_name(85000), 12u);
    context.texture_slot_base = 5;
    context.texture_table[5] = 13;
    EXPECT_EQ(context.texture_name(0), 13u);
    EXPECT_EQ(context.texture_name(85000), 12u);  // absolute: the base does not apply
    context.texture_slot_base = 0;

    testing::internal::CaptureStdout();
    EXPECT_EQ(context.texture_name(-1), 0u);
    EXPECT_EQ(context.texture_name(GraphicsContext::table_size), 0u);
    context.create_grid_texture(-7);             // outside the table
    context.create_grid_texture(10070);          // a framebuffer's entry
    context.create_random_texture(10097, 4, 4);  // the base's entry
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Texture slot -7 is outside the texture table."), std::string::npos);
    EXPECT_NE(log.find("Texture slot 10070 is reserved for the render targets."), std::string::npos);
    EXPECT_NE(log.find("Texture slot 10097 is reserved"), std::string::npos);
    EXPECT_EQ(context.texture_table[10070], 0u);
    EXPECT_EQ(context.texture_table[10097], 0u);
}

TEST_F(GraphicsContextTest, ResetFixedFunctionState) {
    GraphicsContext context;
    glEnable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_FOG);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    context.reset_fixed_function_state();
    for (GLenum cap : {GL_BLEND, GL_LIGHTING, GL_COLOR_MATERIAL, GL_LIGHT0, GL_TEXTURE_2D, GL_FOG})
        EXPECT_FALSE(glIsEnabled(cap));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[3], 1.0f);
}

TEST_F(GraphicsContextTest, ATargetMadeAgainDeletesWhatItHeld) {
    GraphicsContext context;
    context.start_up([](double) {}, 64, 32, false);
    const GLuint colour0 = context.texture_table[10000], depth = context.texture_table[10048];
    const GLuint draw = context.texture_table[10064], resolve = context.texture_table[10080];
    const GLuint quarter_draw = context.texture_table[10065];
    // The opening's colour texture takes the entry of target 0's first renderbuffer; the
    // renderbuffer stays attached, and target 0 still draws.
    context.create_random_texture(10000, 64, 32);
    const GLuint colour_texture = context.texture_name(10000);
    EXPECT_TRUE(glIsRenderbuffer(colour0));
    context.attach_color_texture(0, 0, 10000);
    context.bind_render_target(0, 1);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));

    // Made again at another size (render scale "auto" does this): the old renderbuffers and
    // framebuffers go, and so does the texture whose entry the new renderbuffer takes.
    context.create_render_target(0, 32, 16, 0);
    for (GLuint old : {colour0, depth}) EXPECT_FALSE(glIsRenderbuffer(old)) << old;
    for (GLuint old : {draw, resolve}) EXPECT_FALSE(glIsFramebuffer(old)) << old;
    EXPECT_FALSE(glIsTexture(colour_texture));
    EXPECT_EQ(renderbuffer_size(context.texture_table[10000], GL_RENDERBUFFER_WIDTH), 32);
    EXPECT_TRUE(glIsFramebuffer(quarter_draw)) << "target 1 is untouched";
    glBindFramebuffer(GL_FRAMEBUFFER, context.texture_table[10064]);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    context.bind_window_framebuffer();
    EXPECT_TRUE(no_gl_error());
}

// The picture scaled up into the window is the one a linear blit gives, at any size (the copy it
// draws from is made again when the size changes), and the state the caller set survives.
TEST_F(GraphicsContextTest, ScalingUpDrawsWhatALinearBlitDrawsAndKeepsTheCallersState) {
    GraphicsContext context;
    // Any linked program stands for the caller's.
    const GLuint program = glCreateProgram();
    const GLuint fragment = glCreateShader(GL_FRAGMENT_SHADER);
    const char* source = "void main() { gl_FragColor = vec4(1.0); }";
    glShaderSource(fragment, 1, &source, nullptr);
    glCompileShader(fragment);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLuint kept_texture = colour_texture(4, 4);
    auto window_pixels = [] {
        std::vector<uint8_t> pixels(kWidth * kHeight * 4);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    for (const auto& [w, h, bottom, height] : {std::array{70, 40, 30, 196}, std::array{97, 61, 0, kHeight}}) {
        SCOPED_TRACE(w);
        context.create_render_target(0, w, h, 0);
        context.bind_render_target(0, 1);
        std::vector<uint8_t> pattern(w * h * 4);
        for (std::size_t i = 0; i < pattern.size(); ++i)
            pattern[i] = static_cast<uint8_t>((i * 37 + i / 7) & 255);
        glWindowPos2i(0, 0);
        glDrawPixels(w, h, GL_RGBA, GL_UNSIGNED_BYTE, pattern.data());

        context.bind_window_framebuffer();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindFramebuffer(GL_READ_FRAMEBUFFER,
                          context.texture_table[GraphicsContext::draw_framebuffer_index]);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glBlitFramebuffer(0, 0, w, h, 0, bottom, kWidth, bottom + height, GL_COLOR_BUFFER_BIT, GL_LINEAR);
        const std::vector<uint8_t> blitted = window_pixels();

        glClear(GL_COLOR_BUFFER_BIT);
        glUseProgram(program);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, kept_texture);
        glViewport(3, 4, 50, 60);
        glEnable(GL_DEPTH_TEST);
        glMatrixMode(GL_TEXTURE);
        glActiveTexture(GL_TEXTURE1);
        context.scale_up_to_window(0, w, h, bottom, kWidth, height);
        GLint current = 0, active = 0, bound = 0, mode = 0, viewport[4] = {};
        glGetIntegerv(GL_CURRENT_PROGRAM, &current);
        glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
        glActiveTexture(GL_TEXTURE0);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(current, static_cast<GLint>(program));
        EXPECT_EQ(active, GL_TEXTURE1);
        EXPECT_EQ(bound, static_cast<GLint>(kept_texture));
        EXPECT_EQ(mode, GL_TEXTURE);
        EXPECT_EQ(viewport[2], 50);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        glUseProgram(0);
        glDisable(GL_DEPTH_TEST);
        glMatrixMode(GL_MODELVIEW);

        const std::vector<uint8_t> drawn = window_pixels();
        int worst = 0;
        for (std::size_t i = 0; i < drawn.size(); ++i)
            if (i % 4 != 3) worst = std::max(worst, std::abs(drawn[i] - blitted[i]));
        EXPECT_LE(worst, 1) << "levels apart from the blit's picture";
        EXPECT_GT(std::count(blitted.begin(), blitted.end(), 0), 0) << "the bands stay as cleared";
    }
    glDeleteProgram(program);
    glDeleteShader(fragment);
    EXPECT_TRUE(no_gl_error());
}
