#include "render/uniform_values.h"

#include <GL/glew.h>

#include <algorithm>
#include <map>
#include <string>

namespace {

struct Uniform {
    GLenum type;
    GLint size;
};

// The program's active uniforms by name, "[0]" taken off array names.
std::map<std::string, Uniform> active_uniforms(GLuint program) {
    std::map<std::string, Uniform> uniforms;
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[256] = {};
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
        std::string key = name;
        if (key.size() > 3 && key.compare(key.size() - 3, 3, "[0]") == 0) key.resize(key.size() - 3);
        uniforms[key] = {type, size};
    }
    return uniforms;
}

// Copies one value; false for a type this does not know (nothing is set then).
bool copy_value(GLuint from, GLint at_from, GLint at_to, GLenum type) {
    GLfloat f[16];
    GLint i[4];
    switch (type) {
        case GL_FLOAT:
            glGetUniformfv(from, at_from, f);
            glUniform1fv(at_to, 1, f);
            return true;
        case GL_FLOAT_VEC2:
            glGetUniformfv(from, at_from, f);
            glUniform2fv(at_to, 1, f);
            return true;
        case GL_FLOAT_VEC3:
            glGetUniformfv(from, at_from, f);
            glUniform3fv(at_to, 1, f);
            return true;
        case GL_FLOAT_VEC4:
            glGetUniformfv(from, at_from, f);
            glUniform4fv(at_to, 1, f);
            return true;
        case GL_FLOAT_MAT2:
            glGetUniformfv(from, at_from, f);
            glUniformMatrix2fv(at_to, 1, GL_FALSE, f);
            return true;
        case GL_FLOAT_MAT3:
            glGetUniformfv(from, at_from, f);
            glUniformMatrix3fv(at_to, 1, GL_FALSE, f);
            return true;
        case GL_FLOAT_MAT4:
            glGetUniformfv(from, at_from, f);
            glUniformMatrix4fv(at_to, 1, GL_FALSE, f);
            return true;
        case GL_INT_VEC2:
        case GL_BOOL_VEC2:
            glGetUniformiv(from, at_from, i);
            glUniform2iv(at_to, 1, i);
            return true;
        case GL_INT_VEC3:
        case GL_BOOL_VEC3:
            glGetUniformiv(from, at_from, i);
            glUniform3iv(at_to, 1, i);
            return true;
        case GL_INT_VEC4:
        case GL_BOOL_VEC4:
            glGetUniformiv(from, at_from, i);
            glUniform4iv(at_to, 1, i);
            return true;
        case GL_INT:
        case GL_BOOL:
        case GL_SAMPLER_1D:
        case GL_SAMPLER_2D:
        case GL_SAMPLER_3D:
        case GL_SAMPLER_CUBE:
        case GL_SAMPLER_1D_SHADOW:
        case GL_SAMPLER_2D_SHADOW:
            glGetUniformiv(from, at_from, i);
            glUniform1iv(at_to, 1, i);
            return true;
        default:
            return false;
    }
}

}  // namespace

void copy_uniform_values(uint32_t from, uint32_t to) {
    if (from == 0 || to == 0) return;
    const std::map<std::string, Uniform> wanted = active_uniforms(to);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    glUseProgram(to);
    for (const auto& [name, uniform] : active_uniforms(from)) {
        const auto match = wanted.find(name);
        if (match == wanted.end() || match->second.type != uniform.type) continue;
        const GLint elements = std::min(uniform.size, match->second.size);
        for (GLint e = 0; e < elements; ++e) {
            const std::string element = uniform.size > 1 ? name + "[" + std::to_string(e) + "]" : name;
            const GLint at_from = glGetUniformLocation(from, element.c_str());
            const GLint at_to = glGetUniformLocation(to, element.c_str());
            if (at_from >= 0 && at_to >= 0) copy_value(from, at_from, at_to, uniform.type);
        }
    }
    glUseProgram(static_cast<GLuint>(current));
}
