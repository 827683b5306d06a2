#include "scenes/kit/program_table.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "render/graphics_context.h"
#include "render/shader_library.h"
#include "tests/support/gl_context.h"

namespace {

namespace fs = std::filesystem;

// Each fragment file reads a uniform named after itself, so a linked program tells which file
// it was built from.
class ProgramTable : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped()) return;
        dir_ = fs::temp_directory_path() / ("brinefall_program_table_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        write("v", "#version 120\nvoid main() { gl_Position = ftransform(); }\n");
        for (const char* name : {"full", "low", "post"})
            write(name, std::string("#version 120\nuniform float ") + name +
                            "_only;\nvoid main() { gl_FragColor = vec4(" + name + "_only); }\n");
        names_ = {(dir_ / "v").string(), (dir_ / "full").string(), (dir_ / "low").string(),
                  (dir_ / "post").string()};
        table_ = {{
            {2, names_[0].c_str(), names_[1].c_str(), 0.5, names_[2].c_str()},
            {5, nullptr, names_[3].c_str()},
            {7, names_[0].c_str(), names_[1].c_str(), 1.0},
        }};
        context_.progress = [this](double step) { progress_.push_back(step); };
    }
    void TearDown() override { fs::remove_all(dir_); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / (name + ".glsl")) << text;
    }

    // The file a slot's fragment shader came from, by the uniform it answers to.
    std::string built_from(int slot) const {
        for (const char* name : {"full", "low", "post"})
            if (glGetUniformLocation(shaders_.program(slot), (std::string(name) + "_only").c_str()) >= 0)
                return name;
        return "nothing";
    }

    fs::path dir_;
    std::vector<std::string> names_;
    std::array<ProgramEntry, 3> table_{};
    GraphicsContext context_;
    ShaderLibrary shaders_;
    std::vector<double> progress_;
};

}  // namespace

TEST_F(ProgramTable, LoadsEveryRowAtBasePlusSlotAndReportsItsWeights) {
    load_program_table(shaders_, context_, table_, 100);
    for (int slot : {102, 105, 107}) {
        EXPECT_TRUE(shaders_.loaded(slot)) << slot;
        GLint linked = 0;
        glGetProgramiv(shaders_.program(slot), GL_LINK_STATUS, &linked);
        EXPECT_TRUE(linked) << slot;
    }
    EXPECT_FALSE(shaders_.loaded(2));
    EXPECT_FALSE(shaders_.loaded(103));
    EXPECT_EQ(built_from(102), "full");
    EXPECT_EQ(built_from(105), "post");
    EXPECT_EQ(built_from(107), "full");
    EXPECT_EQ(progress_, (std::vector<double>{0.5, 1.0}));
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ProgramTable, LowDetailTakesTheCheaperFileWhereARowNamesOne) {
    context_.low_detail = true;
    load_program_table(shaders_, context_, table_);
    EXPECT_EQ(built_from(2), "low");
    EXPECT_EQ(built_from(5), "post");
    EXPECT_EQ(built_from(7), "full");  // no cheaper file: the row's own
}

TEST_F(ProgramTable, OneRowReloadsInPlaceWithoutReportingProgress) {
    load_program_table(shaders_, context_, table_);
    const GLuint before = shaders_.program(2);
    context_.low_detail = true;
    load_program_entry(shaders_, context_, table_[0]);
    EXPECT_NE(shaders_.program(2), before);
    EXPECT_EQ(built_from(2), "low");
    EXPECT_EQ(progress_.size(), 2u);
}
