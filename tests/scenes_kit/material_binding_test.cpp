#include "scenes/kit/material_binding.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
        dir_ = fs::temp_directory_path() / "brinefall_material_binding";
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
