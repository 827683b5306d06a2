// Every material program of the opening compiles and links under GLSL 1.20 without a word from
// the compiler, and writes both outputs the post-processing chain reads.
#include <GL/glew.h>

#include <string>

#include "core/file_io.h"
#include "scenes/begin/begin_programs.h"
#include "tests/support/gl_context.h"

namespace {

// The sources as the show reads them: copied into the show directory with includes expanded.
std::string source_path(const char* name) {
    return std::string(BRINEFALL_SHOW_DIR) + "/" + begin_programs::materials + name + ".glsl";
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

class MaterialShaders : public GlTest {};

TEST_F(MaterialShaders, EveryProgramCompilesAndLinksCleanly) {
    for (const ProgramEntry& entry : begin_programs::material_programs) {
        SCOPED_TRACE(entry.fragment);
        const auto vertex_text = read_file(source_path(entry.vertex));
        const auto fragment_text = read_file(source_path(entry.fragment));
        if (!vertex_text || !fragment_text) {
            ADD_FAILURE() << "missing source";
            continue;
        }
        EXPECT_EQ(vertex_text->rfind("#version 120", 0), 0u) << entry.vertex;
        EXPECT_EQ(fragment_text->rfind("#version 120", 0), 0u) << entry.fragment;
        EXPECT_NE(fragment_text->find("gl_FragData[0]"), std::string::npos);
        EXPECT_NE(fragment_text->find("gl_FragData[1]"), std::string::npos);
        // A fragment shader that reads the interpolated colour needs a vertex shader that writes
        // it: otherwise the colour is undefined (and on llvmpipe it is garbage).
        if (fragment_text->find("gl_Color") != std::string::npos) {
            EXPECT_NE(vertex_text->find("gl_FrontColor"), std::string::npos) << entry.vertex;
        }

        std::string vertex_log, fragment_log, link_log;
        const GLuint vertex = compile(GL_VERTEX_SHADER, *vertex_text, vertex_log);
        const GLuint fragment = compile(GL_FRAGMENT_SHADER, *fragment_text, fragment_log);
        EXPECT_NE(vertex, 0u) << vertex_log;
        EXPECT_NE(fragment, 0u) << fragment_log;
        EXPECT_EQ(vertex_log.find_first_not_of(std::string("\0 \n", 3)), std::string::npos) << vertex_log;
        EXPECT_EQ(fragment_log.find_first_not_of(std::string("\0 \n", 3)), std::string::npos) << fragment_log;
        if (!vertex || !fragment) continue;

        const GLuint program = glCreateProgram();
        glAttachShader(program, fragment);
        glAttachShader(program, vertex);
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
        glDeleteShader(vertex);
        glDeleteShader(fragment);
    }
    EXPECT_TRUE(no_gl_error());
}

}  // namespace
