// ShaderLibrary: loading, the log lines, uniforms, the projector matrix, and the post-processing
// shader set compiling on the GL the show runs on.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "render/graphics_context.h"
#include "render/shader_library.h"
#include "tests/support/gl_context.h"

namespace {

class ShaderLibraryTest : public GlTest {
protected:
    // Writes "<TempDir>/<name>.glsl" and returns the name without the extension.
    static std::string write_shader(const std::string& name, const std::string& text) {
        const std::string base = testing::TempDir() + name;
        std::FILE* f = std::fopen((base + ShaderLibrary::source_extension).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        return base;
    }
    static GLint current_program() {
        GLint program = 0;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        return program;
    }
    static GLint linked(GLuint program) {
        GLint status = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &status);
        return status;
    }
};

const char* kFragment =
    "#version 120\nuniform float Level;\nuniform sampler2D texture2d_1;\n"
    "void main() { gl_FragColor = vec4(Level) + texture2D(texture2d_1, gl_TexCoord[0].st); }\n";
const char* kVertex = "#version 120\nvoid main() { gl_Position = ftransform(); }\n";

}  // namespace

TEST_F(ShaderLibraryTest, FragmentOnlyProgramsBecomeCurrentPairsDoNot) {
    ShaderLibrary shaders;
    const std::string fragment = write_shader("f_level", kFragment);
    const std::string vertex = write_shader("v_plain", kVertex);
    EXPECT_FALSE(shaders.loaded(3));
    testing::internal::CaptureStdout();
    shaders.load_fragment_program(fragment, 3);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log.substr(0, log.find('\n')), fragment + ".glsl");
    EXPECT_TRUE(shaders.loaded(3));
    EXPECT_EQ(static_cast<GLuint>(current_program()), shaders.program(3));
    EXPECT_EQ(linked(shaders.program(3)), GL_TRUE);

    shaders.disable_programs();
    testing::internal::CaptureStdout();
    shaders.load_program(vertex, fragment, 4);
    const std::string pair_log = testing::internal::GetCapturedStdout();
    // Vertex first, then fragment: each file name followed by its info log line.
    EXPECT_LT(pair_log.find(vertex + ".glsl"), pair_log.find(fragment + ".glsl"));
    EXPECT_EQ(current_program(), 0);
    EXPECT_EQ(linked(shaders.program(4)), GL_TRUE);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ShaderLibraryTest, UniformsAreLookedUpOnEveryCall) {
    ShaderLibrary shaders;
    const std::string fragment = write_shader("f_level2", kFragment);
    testing::internal::CaptureStdout();
    shaders.load_fragment_program(fragment, 5);
    const GLuint first = shaders.program(5);
    shaders.load_fragment_program(fragment, 5);  // a reload makes a new program in the slot
    testing::internal::GetCapturedStdout();
    ASSERT_NE(first, shaders.program(5));
    shaders.use_program(5);
    shaders.set_float(5, "Level", 0.75f);
    shaders.set_float(5, "NoSuchUniform", 1.0f);
    shaders.set_vec3(5, "NoSuchVector", 1, 2, 3);
    shaders.set_int(5, "NoSuchInt", 4);
    GLfloat value = 0;
    glGetUniformfv(shaders.program(5), glGetUniformLocation(shaders.program(5), "Level"), &value);
    EXPECT_EQ(value, 0.75f);
    EXPECT_TRUE(no_gl_error());

    GLuint texture = 0;
    glGenTextures(1, &texture);
    shaders.bind_texture_uniform(GL_TEXTURE_2D, 2, 5, "texture2d_1", texture);
    GLint active = 0, bound = 0, unit = -1;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetUniformiv(shaders.program(5), glGetUniformLocation(shaders.program(5), "texture2d_1"), &unit);
    EXPECT_EQ(active, GL_TEXTURE2);
    EXPECT_EQ(static_cast<GLuint>(bound), texture);
    EXPECT_EQ(unit, 2);
    glActiveTexture(GL_TEXTURE0);
    shaders.disable_programs();
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ShaderLibraryTest, SourcesAndFailures) {
    const std::string empty = write_shader("empty", "");
    const auto buffer = ShaderLibrary::read_source(empty + ".glsl");
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer[0], '\0');

    ShaderLibrary shaders;
    testing::internal::CaptureStdout();
    EXPECT_EQ(ShaderLibrary::read_source("no/such/file.glsl"), nullptr);
    EXPECT_EQ(ShaderLibrary::read_source(testing::TempDir()), nullptr);
    shaders.load_program("no/such/v_file", "no/such/f_file", 6);
    shaders.load_fragment_program(empty, 10127);
    shaders.load_fragment_program(empty, 10128);
    shaders.use_program(-1);
    shaders.set_float(20000, "Level", 1.0f);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Cannot open shader source file.\nno/such/v_file.glsl\n"), std::string::npos) << log;
    EXPECT_NE(log.find("no/such/f_file.glsl"), std::string::npos);
    EXPECT_NE(log.find("Shader slot 10128 is outside the shader table."), std::string::npos);
    EXPECT_NE(log.find("Shader slot -1 is outside the shader table."), std::string::npos);
    EXPECT_NE(log.find("Shader slot 20000 is outside the shader table."), std::string::npos);
    EXPECT_TRUE(shaders.loaded(6));
    EXPECT_TRUE(shaders.loaded(10127));
    EXPECT_FALSE(shaders.loaded(10128));
    // A program that failed to link is never made current and takes no uniforms: no GL error,
    // frame after frame.
    EXPECT_EQ(shaders.program(6), 0u);
    EXPECT_EQ(shaders.program(10127), 0u);
    EXPECT_EQ(current_program(), 0) << "the failed fragment-only program was not made current";
    shaders.use_program(6);
    EXPECT_EQ(current_program(), 0);
    shaders.set_float(6, "Level", 1.0f);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    shaders.set_matrix4(6, "ShadowMat", identity);
    shaders.bind_texture_uniform(GL_TEXTURE_2D, 1, 6, "texture2d_1", 0);
    glActiveTexture(GL_TEXTURE0);
    shaders.use_depth_only(6);
    EXPECT_TRUE(no_gl_error());
    shaders.disable_programs();
}

TEST_F(ShaderLibraryTest, ProjectorMatrixIsBiasPerspectiveLookAt) {
    ShaderLibrary shaders;
    CameraRecord camera;
    camera.eye = Vector3(0.0f, 0.0f, 5.0f);
    camera.centre = Vector3(0.0f, 0.0f, 0.0f);
    camera.up = Vector3(0.0f, 1.0f, 0.0f);
    camera.fov = 90.0;
    camera.aspect = 2.0;
    camera.near_distance = 1.0;
    camera.far_distance = 100.0;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3, 4, 5);
    shaders.set_projector_matrix(camera);

    GLint active = 0, mode = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(mode, GL_TEXTURE);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_EQ(modelview[12], 3.0f);

    glActiveTexture(GL_TEXTURE2);
    GLfloat m[16];
    glGetFloatv(GL_TEXTURE_MATRIX, m);
    glLoadIdentity();
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A world point maps to clip space by P·V, then bias: s = 0.5·x_clip + 0.5·w.
    auto apply = [&](float x, float y, float z, float out[4]) {
        for (int r = 0; r < 4; ++r) out[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    };
    float centre[4], corner[4];
    apply(0, 0, 0, centre);  // straight ahead, 5 away: the middle of the texture
    EXPECT_NEAR(centre[0] / centre[3], 0.5f, 1e-5f);
    EXPECT_NEAR(centre[1] / centre[3], 0.5f, 1e-5f);
    EXPECT_NEAR(centre[3], 5.0f, 1e-5f);
    // 90° vertical field, aspect 2: at distance 5 the top edge is y = 5 and the right edge x = 10.
    apply(10, 5, 0, corner);
    EXPECT_NEAR(corner[0] / corner[3], 1.0f, 1e-5f);
    EXPECT_NEAR(corner[1] / corner[3], 1.0f, 1e-5f);
    // Depth: the near plane maps to 0 and the far plane to 1.
    apply(0, 0, 4, corner);
    EXPECT_NEAR(corner[2] / corner[3], 0.0f, 1e-5f);
    apply(0, 0, -95, corner);
    EXPECT_NEAR(corner[2] / corner[3], 1.0f, 1e-5f);
}

TEST_F(ShaderLibraryTest, PostProcessingShadersCompileAndLink) {
    const std::string show = BRINEFALL_SHOW_DIR;
    const char* fragments[] = {"f_combineSSAO2",   "f_combineSSAO3",        "f_blurpass2",    "f_blurpasslow",
                               "f_blurpasstoy",    "f_blurpasstoy3",        "f_simpleblur",   "f_blurhighlights",
                               "f_blurhighlights_toys", "f_godrays",        "f_godrays2",     "f_godrays_toys",
                               "f_godrays_toys2"};
    ShaderLibrary shaders;
    int slot = 0;
    for (const char* name : fragments) {
        testing::internal::CaptureStdout();
        shaders.load_fragment_program(show + "/Other//PostProcessing//" + name, slot);
        const std::string log = testing::internal::GetCapturedStdout();
        EXPECT_EQ(linked(shaders.program(slot)), GL_TRUE) << name << "\n" << log;
        EXPECT_EQ(log.find("Cannot open"), std::string::npos) << name;
        ++slot;
    }
    testing::internal::CaptureStdout();
    shaders.load_program(show + "/Other//PostProcessing//v_velocities",
                         show + "/Other//PostProcessing//f_velocities", slot);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(linked(shaders.program(slot)), GL_TRUE) << log;
    shaders.disable_programs();
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ShaderLibraryTest, VariantsAreCopiesWithDefinesAfterTheVersionLine) {
    ShaderLibrary shaders;
    // Without SHOW_LEVEL the copy has no "Level" uniform; a second #version line would not compile.
    const std::string fragment = write_shader(
        "f_variant",
        "#version 120\n#ifdef SHOW_LEVEL\nuniform float Level;\n#else\nconst float Level = 0.25;\n#endif\n"
        "void main() { gl_FragColor = vec4(Level); }\n");
    testing::internal::CaptureStdout();
    shaders.load_fragment_program(fragment, 5);
    const GLuint loaded = shaders.program(5);
    const GLuint copy = shaders.variant(5, "#define SHOW_LEVEL\n");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(shaders.fragment_file(5), fragment);
    EXPECT_TRUE(shaders.vertex_file(5).empty());
    ASSERT_NE(copy, loaded);
    EXPECT_EQ(linked(copy), GL_TRUE);
    EXPECT_EQ(glGetUniformLocation(loaded, "Level"), -1);
    EXPECT_GE(glGetUniformLocation(copy, "Level"), 0) << "the define reached the source";
    EXPECT_EQ(shaders.variant(5, "#define SHOW_LEVEL\n"), copy) << "compiled once";

    // Loading the slot again deletes the old program and its copy, and makes a new copy.
    testing::internal::CaptureStdout();
    shaders.load_fragment_program(fragment, 5);
    EXPECT_FALSE(glIsProgram(loaded)) << "the replaced program is not kept";
    EXPECT_FALSE(glIsProgram(copy));
    const GLuint again = shaders.variant(5, "#define SHOW_LEVEL\n");
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(glIsProgram(again));
    EXPECT_EQ(linked(again), GL_TRUE);
    EXPECT_GE(glGetUniformLocation(again, "Level"), 0);

    // A copy that does not compile falls back to the slot's own program, with the reason logged.
    testing::internal::CaptureStdout();
    const GLuint broken = shaders.variant(5, "#define Level nonsense(\n");
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(broken, shaders.program(5));
    EXPECT_NE(log.find("specialised copy"), std::string::npos) << log;
    EXPECT_EQ(shaders.variant(99999, "#define X\n"), 0u) << "outside the table: no program";
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ShaderLibraryTest, AReloadTakesTheSavedSourceWithTheOldValuesAndABrokenOneKeepsTheOldProgram) {
    ShaderLibrary shaders;
    const std::string fragment = write_shader("f_reloaded", kFragment);
    const std::string vertex = write_shader("v_reloaded", kVertex);
    testing::internal::CaptureStdout();
    shaders.load_program(vertex, fragment, 7);
    testing::internal::GetCapturedStdout();
    shaders.use_program(7);
    shaders.set_float(7, "Level", 0.25f);
    shaders.set_int(7, "texture2d_1", 3);
    const GLuint before = shaders.program(7);

    // Saved with a new uniform: the slot takes the new program, the set values come along.
    write_shader("f_reloaded",
                 "#version 120\nuniform float Level;\nuniform float Gain;\nuniform sampler2D texture2d_1;\n"
                 "void main() { gl_FragColor = Gain * vec4(Level) + texture2D(texture2d_1, vec2(0.5)); }\n");
    std::string log;
    ASSERT_TRUE(shaders.reload(7, log)) << log;
    const GLuint after = shaders.program(7);
    EXPECT_NE(after, before);
    GLint deleted = GL_FALSE;  // still current here, so the GL only flags it
    glGetProgramiv(before, GL_DELETE_STATUS, &deleted);
    EXPECT_EQ(deleted, GL_TRUE) << "the old program is let go";
    GLfloat level = 0;
    glGetUniformfv(after, glGetUniformLocation(after, "Level"), &level);
    EXPECT_EQ(level, 0.25f);
    GLint unit = 0;
    glGetUniformiv(after, glGetUniformLocation(after, "texture2d_1"), &unit);
    EXPECT_EQ(unit, 3);

    // Saved with a typo: the slot keeps drawing with what it had, and the log says why.
    write_shader("f_reloaded", "#version 120\nvoid main() { gl_FragColor = vec4(1.0) }\n");
    EXPECT_FALSE(shaders.reload(7, log));
    EXPECT_NE(log.find("f_reloaded.glsl"), std::string::npos) << log;
    EXPECT_EQ(shaders.program(7), after);
    EXPECT_EQ(linked(after), GL_TRUE);
    shaders.use_program(7);
    EXPECT_EQ(static_cast<GLuint>(current_program()), after);
    EXPECT_FALSE(shaders.reload(8, log)) << "a slot never loaded has nothing to reload";
    EXPECT_TRUE(no_gl_error());
}

namespace {

// Draws the window full with the current program and returns the centre pixel's red and green.
std::pair<int, int> drawn_red_green() {
    glViewport(0, 0, 8, 8);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glRectf(-1, -1, 1, 1);
    unsigned char rgba[4] = {};
    glReadPixels(4, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1]};
}

float uniform_value(GLuint program, const char* name) {
    GLfloat value = -1;
    glGetUniformfv(program, glGetUniformLocation(program, name), &value);
    return value;
}

const char* kSwitched =
    "#version 120\nuniform float Level;\n#ifndef isLit\nuniform float isLit;\n#endif\n"
    "void main() { gl_FragColor = isLit > 0.5 ? vec4(Level, 0.0, 0.0, 1.0) : vec4(0.0, Level, 0.0, 1.0); }\n";

}  // namespace

TEST_F(ShaderLibraryTest, SwitchesDrawWithCopiesThatCarryTheSlotsValues) {
    ShaderLibrary shaders;
    const std::string fragment = write_shader("f_switched", kSwitched);
    testing::internal::CaptureStdout();
    shaders.load_fragment_program(fragment, 5);
    shaders.set_float(5, "Level", 0.5f);
    EXPECT_EQ(drawn_red_green(), std::make_pair(0, 128)) << "the program as loaded, isLit 0";

    shaders.set_switch(5, "isLit", 1.0f);
    GLuint lit = current_program();
    EXPECT_NE(lit, shaders.program(5)) << "a copy draws";
    EXPECT_EQ(glGetUniformLocation(lit, "isLit"), -1) << "the switch is a define there";
    EXPECT_EQ(uniform_value(lit, "Level"), 0.5f) << "set before the copy was current";
    EXPECT_EQ(drawn_red_green(), std::make_pair(128, 0));

    shaders.set_switch(5, "isLit", 0.0f);
    const GLuint dark = current_program();
    EXPECT_NE(dark, lit);
    EXPECT_EQ(drawn_red_green(), std::make_pair(0, 128));
    shaders.set_float(5, "Level", 0.25f);
    EXPECT_EQ(drawn_red_green(), std::make_pair(0, 64));
    shaders.set_switch(5, "isLit", 1.0f);
    EXPECT_EQ(current_program(), lit) << "compiled once";
    EXPECT_EQ(drawn_red_green(), std::make_pair(64, 0)) << "the value set on the other copy came along";

    // A value set while the slot is not current waits for its next use.
    shaders.disable_programs();
    shaders.set_float(5, "Level", 1.0f);
    EXPECT_EQ(uniform_value(lit, "Level"), 0.25f);
    shaders.use_program(5);
    EXPECT_EQ(current_program(), lit) << "use_program takes the copy for the switches as set";
    EXPECT_EQ(drawn_red_green(), std::make_pair(255, 0));

    // Names the program does not use switch nothing; without fix_switches a switch is a uniform.
    shaders.set_switch(5, "NoSuchFlag", 1.0f);
    EXPECT_EQ(current_program(), lit);
    shaders.fix_switches = false;
    shaders.use_program(5);
    EXPECT_EQ(current_program(), shaders.program(5));
    EXPECT_EQ(uniform_value(shaders.program(5), "isLit"), 1.0f);
    EXPECT_EQ(drawn_red_green(), std::make_pair(255, 0));
    shaders.set_switch(5, "isLit", 0.0f);
    EXPECT_EQ(current_program(), shaders.program(5));
    EXPECT_EQ(drawn_red_green(), std::make_pair(0, 255));
    shaders.fix_switches = true;
    shaders.use_program(5);
    EXPECT_NE(current_program(), shaders.program(5));
    EXPECT_EQ(drawn_red_green(), std::make_pair(0, 255)) << "the switch as last set";

    // The author's reload keeps values and switches; loading the slot again starts it afresh.
    std::string log;
    ASSERT_TRUE(shaders.reload(5, log)) << log;
    shaders.use_program(5);
    EXPECT_NE(current_program(), shaders.program(5));
    EXPECT_EQ(drawn_red_green(), std::make_pair(0, 255));
    lit = shaders.program(5);
    shaders.load_fragment_program(fragment, 5);
    EXPECT_EQ(current_program(), shaders.program(5));
    EXPECT_FALSE(glIsProgram(lit)) << "the reloaded program is let go";
    EXPECT_EQ(uniform_value(shaders.program(5), "Level"), 0.0f);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ShaderLibraryTest, ASwitchFoldsToTheValueItWasGivenAndLeavesADepthOnlyCopyCurrent) {
    ShaderLibrary shaders;
    const std::string fragment = write_shader(
        "f_switched_value",
        "#version 120\n#ifndef Share\nuniform float Share;\n#endif\nvoid main() { gl_FragColor = vec4(Share); }\n");
    const std::string vertex = write_shader("v_switched", kVertex);
    testing::internal::CaptureStdout();
    shaders.load_program(vertex, fragment, 6);
    // Values with no short decimal form fold to the same float the uniform would hold.
    for (float share : {0.3f, 1.0f / 3.0f, 0.1f, 1e-5f, 0.0f}) {
        shaders.fix_switches = false;
        shaders.use_program(6);
        shaders.set_switch(6, "Share", share);
        const auto as_uniform = drawn_red_green();
        shaders.fix_switches = true;
        shaders.use_program(6);
        shaders.set_switch(6, "Share", share);
        EXPECT_NE(current_program(), shaders.program(6));
        EXPECT_EQ(drawn_red_green(), as_uniform) << share;
    }
    // In a depth-only pass the switch is a plain uniform: the depth-only copy stays current.
    shaders.use_depth_only(6);
    const GLint depth_only = current_program();
    shaders.set_switch(6, "Share", 0.5f);
    EXPECT_EQ(current_program(), depth_only);
    shaders.use_program(6);
    EXPECT_EQ(drawn_red_green().first, 128);

    // A switch the shader does not let a define stand for: the copy fails, the log says so and
    // the slot's own program draws with the value as a uniform.
    testing::internal::GetCapturedStdout();
    shaders.load_fragment_program(write_shader("f_plain", kFragment), 7);
    testing::internal::CaptureStdout();
    shaders.set_switch(7, "Level", 0.75f);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("specialised copy"), std::string::npos) << log;
    EXPECT_EQ(static_cast<GLuint>(current_program()), shaders.program(7));
    EXPECT_EQ(uniform_value(shaders.program(7), "Level"), 0.75f);
    EXPECT_TRUE(no_gl_error());
}
