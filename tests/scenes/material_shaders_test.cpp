// Every program of every scene's program table compiles and links under GLSL 1.20 without a word
// from the compiler; the material programs also write both outputs the post-processing chain
// reads.
#include <GL/glew.h>

#include <optional>
#include <span>
#include <string>

#include "core/file_io.h"
#include "scenes/finale/finale_programs.h"
#include "scenes/middle/middle_programs.h"
#include "scenes/opening/opening_programs.h"
#include "scenes/toys/toys_programs.h"
#include "tests/support/gl_context.h"

namespace {

// One line per scene (and its _programs.h include above).
const std::span<const ProgramEntry> scene_tables[] = {
    opening::programs,
    middle::programs,
    toys::programs,
    finale::programs,
};

// The sources as the show reads them: copied into the show directory with includes expanded.
std::string source_path(const char* name) { return std::string(BRINEFALL_SHOW_DIR) + "/" + name + ".glsl"; }

bool quiet(const std::string& log) {
    return log.find_first_not_of(std::string("\0 \n", 3)) == std::string::npos;
}

// Compiles one stage; returns 0 and fills log on failure.
GLuint compile(GLenum kind, const std::string& text, std::string& log) {
    const GLuint shader = glCreateShader(kind);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0, length = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length > 1) {
        log.resize(length);
        glGetShaderInfoLog(shader, length, nullptr, log.data());
    }
    return ok ? shader : 0;
}

// Compiles the stages (vertex may be null: a fragment-only program) and links them.
void expect_program_builds(const char* vertex_name, const char* fragment_name) {
    SCOPED_TRACE(fragment_name);
    const auto fragment_text = read_file(source_path(fragment_name));
    const auto vertex_text =
        vertex_name ? read_file(source_path(vertex_name)) : std::optional<std::string>("");
    if (!vertex_text || !fragment_text) {
        ADD_FAILURE() << "missing source";
        return;
    }
    EXPECT_EQ(fragment_text->rfind("#version 120", 0), 0u);
    if (vertex_name) {
        EXPECT_EQ(vertex_text->rfind("#version 120", 0), 0u) << vertex_name;
    }
    if (std::string(fragment_name).find("//Materials") != std::string::npos) {
        EXPECT_NE(fragment_text->find("gl_FragData[0]"), std::string::npos);
        EXPECT_NE(fragment_text->find("gl_FragData[1]"), std::string::npos);
    }
    // A fragment shader that reads the interpolated colour needs a vertex shader that writes
    // it: otherwise the colour is undefined (and on llvmpipe it is garbage).
    if (vertex_name && fragment_text->find("gl_Color") != std::string::npos) {
        EXPECT_NE(vertex_text->find("gl_FrontColor"), std::string::npos) << vertex_name;
    }

    std::string vertex_log, fragment_log, link_log;
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, *fragment_text, fragment_log);
    EXPECT_NE(fragment, 0u) << fragment_log;
    EXPECT_TRUE(quiet(fragment_log)) << fragment_log;
    GLuint vertex = 0;
    if (vertex_name) {
        vertex = compile(GL_VERTEX_SHADER, *vertex_text, vertex_log);
        EXPECT_NE(vertex, 0u) << vertex_log;
        EXPECT_TRUE(quiet(vertex_log)) << vertex_log;
        if (!vertex) return;
    }
    if (!fragment) return;

    const GLuint program = glCreateProgram();
    glAttachShader(program, fragment);
    if (vertex) glAttachShader(program, vertex);
    glLinkProgram(program);
    GLint linked = 0, length = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    if (length > 1) {
        link_log.resize(length);
        glGetProgramInfoLog(program, length, nullptr, link_log.data());
    }
    EXPECT_TRUE(linked) << link_log;
    glDeleteProgram(program);
    if (vertex) glDeleteShader(vertex);
    glDeleteShader(fragment);
}

// A row loaded over a slot at the end of a load keeps the cheaper file the slot's own row names
// for "Low spec GPU"; otherwise the replacement would undo the setup dialog's choice.
TEST(ProgramReplacements, KeepTheLowDetailFileOfTheRowTheyReplace) {
    const auto check = [](std::span<const ProgramEntry> table, std::span<const ProgramEntry> replacements) {
        for (const ProgramEntry& replacement : replacements)
            for (const ProgramEntry& row : table)
                if (row.slot == replacement.slot && row.low_detail_fragment) {
                    EXPECT_NE(replacement.low_detail_fragment, nullptr) << replacement.fragment;
                    if (replacement.low_detail_fragment) {
                        EXPECT_STREQ(replacement.low_detail_fragment, row.low_detail_fragment);
                    }
                }
    };
    check(toys::programs, toys::replacements);
    check(finale::programs, finale::replacements);
}

class MaterialShaders : public GlTest {};

TEST_F(MaterialShaders, EveryProgramOfEveryTableCompilesAndLinksCleanly) {
    int rows = 0;
    for (std::span<const ProgramEntry> table : scene_tables) {
        for (const ProgramEntry& entry : table) {
            expect_program_builds(entry.vertex, entry.fragment);
            if (entry.low_detail_fragment) expect_program_builds(entry.vertex, entry.low_detail_fragment);
            ++rows;
        }
    }
    EXPECT_GE(rows, 30);  // the opening's table at least
    EXPECT_TRUE(no_gl_error());
}

}  // namespace
