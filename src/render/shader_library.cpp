#include "render/shader_library.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <sys/stat.h>

#include <fstream>

#include "render/graphics_context.h"
#include "render/log_line.h"

ShaderLibrary::ShaderLibrary()
    : fragment_ids_(slot_count, 0u),
      vertex_ids_(slot_count, 0u),
      program_ids_(slot_count, 0u),
      loaded_(slot_count, 0) {}

bool ShaderLibrary::valid(int slot) const {
    if (in_table(slot)) return true;
    log_line("Shader slot " + std::to_string(slot) + " is outside the shader table.");
    return false;
}

std::unique_ptr<char[]> ShaderLibrary::read_source(const std::string& file_name) {
    // A directory opens like a file but has no length to read: it counts as missing.
    struct stat status {};
    const bool regular = ::stat(file_name.c_str(), &status) == 0 && S_ISREG(status.st_mode);
    std::ifstream file;
    if (regular) file.open(file_name, std::ios::binary);
    if (!regular || !file) {
        log_line("Cannot open shader source file.");
        return nullptr;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    file.seekg(0, std::ios::beg);
    if (length < 0) {
        log_line("Cannot read shader source file.");
        return nullptr;
    }
    auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(length) + 1);
    file.read(buffer.get(), length);
    if (!file) log_line("Cannot read the whole shader source file.");
    buffer[static_cast<std::size_t>(length)] = '\0';
    return buffer;
}

uint32_t ShaderLibrary::compile(uint32_t kind, const std::string& file_name, int slot) {
    loaded_[slot] = 1;
    const std::string path = file_name + source_extension;
    const std::unique_ptr<char[]> source = read_source(path);
    const GLuint shader = glCreateShader(kind);
    // A missing file leaves the shader without source: it fails to compile and the program
    // fails to link, which the logs show, instead of handing the GL a null string.
    if (source) {
        const GLchar* text = source.get();
        glShaderSource(shader, 1, &text, nullptr);
        glCompileShader(shader);
    }
    log_line(path);
    char info[1000] = {};
    glGetShaderInfoLog(shader, sizeof info, nullptr, info);
    log_line(info);
    return shader;
}

void ShaderLibrary::compile_fragment(const std::string& file_name, int slot) {
    if (!valid(slot)) return;
    fragment_ids_[slot] = compile(GL_FRAGMENT_SHADER, file_name, slot);
}

void ShaderLibrary::compile_vertex(const std::string& file_name, int slot) {
    if (!valid(slot)) return;
    vertex_ids_[slot] = compile(GL_VERTEX_SHADER, file_name, slot);
}

void ShaderLibrary::load_program(const std::string& vertex_file, const std::string& fragment_file,
                                 int slot) {
    if (!valid(slot)) return;
    compile_vertex(vertex_file, slot);
    compile_fragment(fragment_file, slot);
    program_ids_[slot] = glCreateProgram();
    glAttachShader(program_ids_[slot], fragment_ids_[slot]);
    glAttachShader(program_ids_[slot], vertex_ids_[slot]);
    glLinkProgram(program_ids_[slot]);
}

void ShaderLibrary::load_fragment_program(const std::string& fragment_file, int slot) {
    if (!valid(slot)) return;
    compile_fragment(fragment_file, slot);
    program_ids_[slot] = glCreateProgram();
    glAttachShader(program_ids_[slot], fragment_ids_[slot]);
    glLinkProgram(program_ids_[slot]);
    use_program(slot);
}

void ShaderLibrary::use_program(int slot) const {
    if (!valid(slot)) return;
    glUseProgram(program_ids_[slot]);
}

void ShaderLibrary::disable_programs() const { glUseProgram(0); }

int ShaderLibrary::uniform_location(int slot, const std::string& name) const {
    if (!valid(slot)) return -1;
    return glGetUniformLocation(program_ids_[slot], name.c_str());
}

void ShaderLibrary::set_float(int slot, const std::string& name, float value) const {
    const int location = uniform_location(slot, name);
    if (location >= 0) glUniform1f(location, value);
}

void ShaderLibrary::set_vec3(int slot, const std::string& name, float x, float y, float z) const {
    const int location = uniform_location(slot, name);
    if (location >= 0) glUniform3f(location, x, y, z);
}

void ShaderLibrary::set_int(int slot, const std::string& name, int value) const {
    const int location = uniform_location(slot, name);
    if (location >= 0) glUniform1i(location, value);
}

void ShaderLibrary::bind_texture_uniform(uint32_t target, int unit, int slot, const std::string& name,
                                         uint32_t texture) const {
    if (!valid(slot)) return;
    const int location = uniform_location(slot, name);
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(target, texture);
    if (location >= 0) glUniform1i(location, unit);
}

void ShaderLibrary::set_projector_matrix(const CameraRecord& camera) const {
    glActiveTexture(GL_TEXTURE2);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glTranslatef(0.5f, 0.5f, 0.5f);
    glScalef(0.5f, 0.5f, 0.5f);
    gluPerspective(camera.fov, camera.aspect, camera.near_distance, camera.far_distance);
    gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.centre.x, camera.centre.y,
              camera.centre.z, camera.up.x, camera.up.y, camera.up.z);
    glActiveTexture(GL_TEXTURE0);
}
