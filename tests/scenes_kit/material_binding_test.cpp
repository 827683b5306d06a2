#include "scenes/kit/material_binding.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "render/graphics_context.h"
#include "render/shader_library.h"
#include "tests/support/gl_context.h"

namespace {

namespace fs = std::filesystem;

class MaterialBinding : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped()) return;
        dir_ = fs::temp_directory_path() / ("brinefall_material_binding_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        std::ofstream(dir_ / "f.glsl")
            << "#version 120\nuniform sampler2D flat_a;\nuniform samplerCube sky;\n"
               "uniform sampler2D flat_b;\nuniform float ttime;\nvoid main() {\n"
               "  gl_FragColor = texture2D(flat_a, vec2(0.5)) + textureCube(sky, vec3(1.0))"
               " + texture2D(flat_b, vec2(0.5)) * ttime;\n}\n";
        shaders_.load_fragment_program((dir_ / "f").string(), 3);
        glGenTextures(3, names_);
        context_.texture_table[40] = names_[0];
        context_.texture_table[41] = names_[1];
        context_.texture_table[42] = names_[2];
        glBindTexture(GL_TEXTURE_CUBE_MAP, names_[1]);  // a name becomes a cube map on first bind
        shaders_.disable_programs();
    }
    void TearDown() override {
        glDeleteTextures(3, names_);
        fs::remove_all(dir_);
    }
    GLint sampler_unit(const char* name) const {
        GLint unit = -1;
        glGetUniformiv(shaders_.program(3), glGetUniformLocation(shaders_.program(3), name), &unit);
        return unit;
    }
    static GLint bound(GLenum unit, GLenum binding) {
        glActiveTexture(unit);
        GLint name = 0;
        glGetIntegerv(binding, &name);
        glActiveTexture(GL_TEXTURE0);
        return name;
    }

    fs::path dir_;
    GraphicsContext context_;
    ShaderLibrary shaders_;
    GLuint names_[3] = {};
};

}  // namespace

TEST_F(MaterialBinding, BindsTheSamplersToUnitsInOrderAndSetsTheClock) {
    glActiveTexture(GL_TEXTURE5);
    use_material(shaders_, context_, 3, {{"flat_a", 40}, {"sky", 41, GL_TEXTURE_CUBE_MAP}, {"flat_b", 42}},
                 "ttime", 2.5);
    GLint current = 0, active = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(static_cast<GLuint>(current), shaders_.program(3));
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(sampler_unit("flat_a"), 0);
    EXPECT_EQ(sampler_unit("sky"), 1);
    EXPECT_EQ(sampler_unit("flat_b"), 2);
    EXPECT_EQ(bound(GL_TEXTURE0, GL_TEXTURE_BINDING_2D), static_cast<GLint>(names_[0]));
    EXPECT_EQ(bound(GL_TEXTURE1, GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(names_[1]));
    EXPECT_EQ(bound(GL_TEXTURE2, GL_TEXTURE_BINDING_2D), static_cast<GLint>(names_[2]));
    GLfloat ttime = 0.0f;
    glGetUniformfv(shaders_.program(3), glGetUniformLocation(shaders_.program(3), "ttime"), &ttime);
    EXPECT_FLOAT_EQ(ttime, 2.5f);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(MaterialBinding, WithoutAClockUniformOnlyTheProgramAndTexturesAreSet) {
    use_material(shaders_, context_, 3, {{"flat_b", 42}});
    EXPECT_EQ(sampler_unit("flat_b"), 0);
    EXPECT_EQ(bound(GL_TEXTURE0, GL_TEXTURE_BINDING_2D), static_cast<GLint>(names_[2]));
    GLfloat ttime = -1.0f;
    glGetUniformfv(shaders_.program(3), glGetUniformLocation(shaders_.program(3), "ttime"), &ttime);
    EXPECT_FLOAT_EQ(ttime, 0.0f);
    EXPECT_TRUE(no_gl_error());
}

namespace {

// Depth of a slanted quad pushed along z by the "ttime" uniform in the vertex half, drawn with
// colour writes masked through use_material; returns the depth buffer and the program that drew.
std::vector<float> depth_of_slanted_quad(const ShaderLibrary& shaders, const GraphicsContext& context,
                                         int slot, GLuint& drew_with) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    use_material(shaders, context, slot, {}, "ttime", 0.25);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    drew_with = static_cast<GLuint>(current);
    glBegin(GL_QUADS);
    glVertex3f(-1, -1, -0.6f);
    glVertex3f(1, -1, 0.2f);
    glVertex3f(1, 1, 0.6f);
    glVertex3f(-1, 1, -0.2f);
    glEnd();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    shaders.disable_programs();
    std::vector<float> depth(64 * 64);
    glReadPixels(0, 0, 64, 64, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    glDisable(GL_DEPTH_TEST);
    return depth;
}

}  // namespace

TEST_F(MaterialBinding, MaskedColourDrawsWithADepthOnlyCopyThatWritesTheSameDepth) {
    std::ofstream(dir_ / "v.glsl")
        << "#version 120\nuniform float ttime;\n"
           "void main() { gl_Position = ftransform() + vec4(0.0, 0.0, ttime, 0.0); }\n";
    std::ofstream(dir_ / "f_lit.glsl")
        << "#version 120\nvoid main() {\n  vec3 c = vec3(0.0);\n"
           "  for (int i = 0; i < 64; ++i) c += sin(gl_FragCoord.xyz * float(i));\n"
           "  gl_FragColor = vec4(c, 1.0);\n}\n";
    std::ofstream(dir_ / "f_cut.glsl")
        << "#version 120\nvoid main() {\n"
           "  if (gl_FragCoord.x < 32.0) discard;\n  gl_FragColor = vec4(1.0);\n}\n";
    shaders_.load_program((dir_ / "v").string(), (dir_ / "f_lit").string(), 5);
    shaders_.load_program((dir_ / "v").string(), (dir_ / "f_cut").string(), 6);

    GLuint drew[2] = {};
    context_.specialised_programs = false;
    const std::vector<float> reference = depth_of_slanted_quad(shaders_, context_, 5, drew[0]);
    context_.specialised_programs = true;
    const std::vector<float> copied = depth_of_slanted_quad(shaders_, context_, 5, drew[1]);
    EXPECT_EQ(drew[0], shaders_.program(5));
    EXPECT_NE(drew[1], shaders_.program(5)) << "the depth-only copy drew";
    EXPECT_EQ(copied, reference)
        << "the copy got the slot's ttime through the setters and wrote the same depth";
    EXPECT_LT(*std::min_element(reference.begin(), reference.end()), 0.5f) << "the quad was drawn";

    // A fragment half that discards decides the depth itself: it keeps drawing.
    GLuint cut = 0;
    const std::vector<float> with_holes = depth_of_slanted_quad(shaders_, context_, 6, cut);
    EXPECT_EQ(cut, shaders_.program(6));
    EXPECT_EQ(with_holes[32 * 64 + 5], 1.0f) << "the discarded half stays at the far plane";
    // So does every program while the alpha test is on (it reads the fragment half's alpha).
    glEnable(GL_ALPHA_TEST);
    GLuint tested = 0;
    depth_of_slanted_quad(shaders_, context_, 5, tested);
    glDisable(GL_ALPHA_TEST);
    EXPECT_EQ(tested, shaders_.program(5));
    // With colour written, the material's own program.
    use_material(shaders_, context_, 5, {});
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), shaders_.program(5));
    EXPECT_TRUE(no_gl_error());
}
