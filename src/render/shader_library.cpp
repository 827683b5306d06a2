#include "render/shader_library.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>

#include "render/graphics_context.h"
#include "render/log_line.h"
#include "render/uniform_values.h"

ShaderLibrary::ShaderLibrary()
    : fragment_ids_(slot_count, 0u),
      vertex_ids_(slot_count, 0u),
      program_ids_(slot_count, 0u),
      loaded_(slot_count, 0),
      linked_(slot_count, 0),
      vertex_files_(slot_count),
      fragment_files_(slot_count) {}

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

// A slot loaded again (the developer reload does it every frame while space is held) lets go of
// what it held: its copies, its program and its shaders.
void ShaderLibrary::release_slot(int slot) {
    for (auto& [key, copy] : copies_)
        if (std::get<0>(key) == slot) release(copy);
    if (current_slot_ == slot) current_slot_ = -1;
    values_.erase(slot);
    switches_.erase(slot);
    forget(program_ids_[slot]);
    if (program_ids_[slot]) glDeleteProgram(program_ids_[slot]);
    for (uint32_t shader : {vertex_ids_[slot], fragment_ids_[slot]})
        if (shader) glDeleteShader(shader);
    program_ids_[slot] = vertex_ids_[slot] = fragment_ids_[slot] = 0;
    linked_[slot] = 0;
}

void ShaderLibrary::load_program(const std::string& vertex_file, const std::string& fragment_file, int slot) {
    if (!valid(slot)) return;
    release_slot(slot);
    compile_vertex(vertex_file, slot);
    compile_fragment(fragment_file, slot);
    vertex_files_[slot] = vertex_file;
    fragment_files_[slot] = fragment_file;
    program_ids_[slot] = glCreateProgram();
    glAttachShader(program_ids_[slot], fragment_ids_[slot]);
    glAttachShader(program_ids_[slot], vertex_ids_[slot]);
    link(slot);
}

void ShaderLibrary::link(int slot) {
    glLinkProgram(program_ids_[slot]);
    GLint linked = 0;
    glGetProgramiv(program_ids_[slot], GL_LINK_STATUS, &linked);
    linked_[slot] = linked ? 1 : 0;
}

void ShaderLibrary::load_fragment_program(const std::string& fragment_file, int slot) {
    if (!valid(slot)) return;
    release_slot(slot);
    compile_fragment(fragment_file, slot);
    vertex_files_[slot].clear();
    fragment_files_[slot] = fragment_file;
    program_ids_[slot] = glCreateProgram();
    glAttachShader(program_ids_[slot], fragment_ids_[slot]);
    link(slot);
    use_program(slot);
}

bool ShaderLibrary::reload(int slot, std::string& log) {
    log.clear();
    if (!in_table(slot) || !loaded_[slot] || fragment_files_[slot].empty()) return false;
    struct Half {
        GLenum kind;
        const std::string& file;
        GLuint shader = 0;
    };
    Half halves[] = {{GL_FRAGMENT_SHADER, fragment_files_[slot]}, {GL_VERTEX_SHADER, vertex_files_[slot]}};
    const GLuint program = glCreateProgram();
    bool ok = true;
    for (Half& half : halves) {
        if (half.file.empty()) continue;
        const std::string path = half.file + source_extension;
        const std::unique_ptr<char[]> text = read_source(path);
        if (!text) {
            log += path + ": cannot be read\n";
            ok = false;
            continue;
        }
        half.shader = glCreateShader(half.kind);
        const GLchar* source = text.get();
        glShaderSource(half.shader, 1, &source, nullptr);
        glCompileShader(half.shader);
        GLint compiled = 0;
        glGetShaderiv(half.shader, GL_COMPILE_STATUS, &compiled);
        if (!compiled) {
            char info[2000] = {};
            glGetShaderInfoLog(half.shader, sizeof info, nullptr, info);
            log += path + ":\n" + info;
            ok = false;
        }
        glAttachShader(program, half.shader);
    }
    if (ok) {
        glLinkProgram(program);
        GLint linked = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        if (!linked) {
            char info[2000] = {};
            glGetProgramInfoLog(program, sizeof info, nullptr, info);
            log += "linking " + fragment_files_[slot] + ":\n" + info;
            ok = false;
        }
    }
    if (!ok) {
        for (const Half& half : halves)
            if (half.shader) glDeleteShader(half.shader);
        glDeleteProgram(program);
        return false;
    }
    copy_uniform_values(this->program(slot), program);
    // The scene's values and switches stay with the slot.
    auto values = values_.extract(slot);
    auto switches = switches_.extract(slot);
    release_slot(slot);
    if (values) values_.insert(std::move(values));
    if (switches) switches_.insert(std::move(switches));
    fragment_ids_[slot] = halves[0].shader;
    vertex_ids_[slot] = halves[1].shader;
    program_ids_[slot] = program;
    linked_[slot] = 1;
    return true;
}

void ShaderLibrary::use_program(int slot) const {
    if (!valid(slot)) return;
    make_current(slot, switched_program(slot), false);
}

void ShaderLibrary::disable_programs() const {
    current_slot_ = -1;
    glUseProgram(0);
}

void ShaderLibrary::make_current(int slot, uint32_t program, bool depth_only) const {
    glUseProgram(program);
    current_slot_ = program ? slot : -1;
    current_program_ = program;
    current_depth_only_ = depth_only;
    if (!program) return;
    const auto values = values_.find(slot);
    if (values == values_.end()) return;
    std::map<std::string, UniformValue>& held = held_[program];
    for (const auto& [name, value] : values->second) {
        const auto it = held.find(name);
        if (it != held.end() && it->second == value) continue;
        send_uniform(program, name, value);
        held[name] = value;
    }
}

bool ShaderLibrary::is_current(int slot) const {
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    return slot == current_slot_ && static_cast<uint32_t>(current) == current_program_;
}

void ShaderLibrary::forget(uint32_t program) const { held_.erase(program); }

void ShaderLibrary::send_uniform(uint32_t program, const std::string& name, const UniformValue& value) {
    const GLint location = glGetUniformLocation(program, name.c_str());
    if (location < 0) return;
    switch (value.kind) {
        case UniformValue::Kind::float1: glUniform1f(location, value.f[0]); break;
        case UniformValue::Kind::float3: glUniform3f(location, value.f[0], value.f[1], value.f[2]); break;
        case UniformValue::Kind::int1: glUniform1i(location, value.i); break;
        case UniformValue::Kind::matrix4: glUniformMatrix4fv(location, 1, GL_FALSE, value.f.data()); break;
    }
}

const std::string& ShaderLibrary::vertex_file(int slot) const {
    static const std::string none;
    return in_table(slot) ? vertex_files_[slot] : none;
}

const std::string& ShaderLibrary::fragment_file(int slot) const {
    static const std::string none;
    return in_table(slot) ? fragment_files_[slot] : none;
}

namespace {

// The source with `defines` inserted after its #version line (or in front when it has none).
std::string with_defines(const char* text, const std::string& defines) {
    std::string source = text;
    std::size_t at = 0;
    if (source.rfind("#version", 0) == 0) {
        at = source.find('\n');
        at = at == std::string::npos ? source.size() : at + 1;
    }
    source.insert(at, defines);
    return source;
}

// The shortest text that reads back as `value`, as a GLSL float literal ("1.0", "0.25", "1e-05");
// negative values in brackets, so that a macro of it stays one operand.
std::string glsl_float(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    std::string literal(text, end);
    if (literal.find_first_of(".e") == std::string::npos) literal += ".0";
    return value < 0.0f ? "(" + literal + ")" : literal;
}

GLuint compile_text(GLenum kind, const std::string& text, const std::string& name) {
    const GLuint shader = glCreateShader(kind);
    const GLchar* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char info[1000] = {};
        glGetShaderInfoLog(shader, sizeof info, nullptr, info);
        log_line(name);
        log_line(info);
    }
    return shader;
}

// Writes no colour: the copy of a depth-only pass.
constexpr const char* depth_only_fragment = "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n";
constexpr const char* depth_only_key = "depth only";

}  // namespace

uint32_t ShaderLibrary::link_copy(int slot, const std::string& defines, const std::string& vertex_file,
                                  const char* fragment_text) const {
    const std::string vertex_name = vertex_file.empty() ? vertex_files_[slot] : vertex_file;
    const GLuint program = glCreateProgram();
    std::vector<GLuint> shaders;
    shaders.push_back(compile_text(GL_FRAGMENT_SHADER, with_defines(fragment_text, defines),
                                   fragment_files_[slot] + source_extension));
    if (!vertex_name.empty()) {
        const std::string path = vertex_name + source_extension;
        const std::unique_ptr<char[]> text = read_source(path);
        if (text) shaders.push_back(compile_text(GL_VERTEX_SHADER, with_defines(text.get(), defines), path));
    }
    for (GLuint shader : shaders) glAttachShader(program, shader);
    glLinkProgram(program);
    for (GLuint shader : shaders) glDeleteShader(shader);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        char info[1000] = {};
        glGetProgramInfoLog(program, sizeof info, nullptr, info);
        log_line(fragment_files_[slot] + " (specialised copy)");
        log_line(info);
        glDeleteProgram(program);
        return this->program(slot);
    }
    return program;
}

// A copy made from a program the slot no longer holds (the slot was loaded again, as the
// developer reload does every frame) is deleted before the new one is made.
void ShaderLibrary::release(Copy& copy) const {
    if (copy.program != 0 && copy.program != copy.from) {
        forget(copy.program);
        glDeleteProgram(copy.program);
    }
    copy.program = 0;
}

uint32_t ShaderLibrary::variant(int slot, const std::string& defines, const std::string& vertex_file) const {
    if (!in_table(slot) || fragment_files_[slot].empty()) return program(slot);
    Copy& copy = copies_[{slot, defines, vertex_file}];
    if (copy.from != program_ids_[slot] || copy.program == 0) {
        release(copy);
        copy.from = program_ids_[slot];
        copy.program = program(slot);
        const std::unique_ptr<char[]> text = read_source(fragment_files_[slot] + source_extension);
        if (text) copy.program = link_copy(slot, defines, vertex_file, text.get());
    }
    return copy.program;
}

uint32_t ShaderLibrary::depth_only_copy(int slot) const {
    Copy& copy = copies_[{slot, depth_only_key, {}}];
    if (copy.from != program_ids_[slot] || copy.program == 0) {
        release(copy);
        copy.from = program_ids_[slot];
        copy.program = program(slot);
        const std::unique_ptr<char[]> text =
            fragment_files_[slot].empty() ? nullptr : read_source(fragment_files_[slot] + source_extension);
        const std::string fragment = text ? text.get() : "";
        const bool decides_depth = fragment.find("discard") != std::string::npos ||
                                   fragment.find("gl_FragDepth") != std::string::npos;
        if (text && !decides_depth) copy.program = link_copy(slot, {}, {}, depth_only_fragment);
    }
    return copy.program;
}

void ShaderLibrary::prepare_depth_only(int slot) const {
    if (valid(slot)) depth_only_copy(slot);
}

void ShaderLibrary::use_depth_only(int slot) const {
    if (!valid(slot)) return;
    make_current(slot, glIsEnabled(GL_ALPHA_TEST) ? this->program(slot) : depth_only_copy(slot), true);
}

uint32_t ShaderLibrary::switched_program(int slot) const {
    const auto switches = switches_.find(slot);
    if (!fix_switches || switches == switches_.end() || switches->second.empty()) return program(slot);
    std::string defines;
    for (const auto& [name, value] : switches->second) defines += "#define " + name + " " + glsl_float(value) + "\n";
    return variant(slot, defines);
}

void ShaderLibrary::set_value(int slot, const std::string& name, const UniformValue& value) const {
    if (!valid(slot) || !program(slot)) return;
    values_[slot][name] = value;
    if (!is_current(slot)) return;
    send_uniform(current_program_, name, value);
    held_[current_program_][name] = value;
}

void ShaderLibrary::set_float(int slot, const std::string& name, float value) const {
    UniformValue v{UniformValue::Kind::float1};
    v.f[0] = value;
    set_value(slot, name, v);
}

void ShaderLibrary::set_vec3(int slot, const std::string& name, float x, float y, float z) const {
    UniformValue v{UniformValue::Kind::float3};
    v.f[0] = x, v.f[1] = y, v.f[2] = z;
    set_value(slot, name, v);
}

void ShaderLibrary::set_int(int slot, const std::string& name, int value) const {
    UniformValue v{UniformValue::Kind::int1};
    v.i = value;
    set_value(slot, name, v);
}

void ShaderLibrary::set_matrix4(int slot, const std::string& name, const float* column_major) const {
    UniformValue v{UniformValue::Kind::matrix4};
    std::copy(column_major, column_major + 16, v.f.begin());
    set_value(slot, name, v);
}

void ShaderLibrary::set_switch(int slot, const std::string& name, float value) const {
    set_float(slot, name, value);  // the slot's own program and a depth-only copy take it as a uniform
    // A name the program does not use (or has optimised away) switches nothing, and only a
    // number can be written as a define.
    if (!valid(slot) || !program(slot) || glGetUniformLocation(program(slot), name.c_str()) < 0 ||
        !std::isfinite(value))
        return;
    Switches& switches = switches_[slot];
    const auto it = switches.find(name);
    const bool changed = it == switches.end() || it->second != value;
    switches[name] = value;
    if (fix_switches && changed && is_current(slot) && !current_depth_only_)
        make_current(slot, switched_program(slot), false);
}

void ShaderLibrary::bind_texture_uniform(uint32_t target, int unit, int slot, const std::string& name,
                                         uint32_t texture) const {
    if (!valid(slot)) return;
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(target, texture);
    set_int(slot, name, unit);
}

void ShaderLibrary::set_projector_matrix(const CameraRecord& camera) const {
    glActiveTexture(GL_TEXTURE2);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glTranslatef(0.5f, 0.5f, 0.5f);
    glScalef(0.5f, 0.5f, 0.5f);
    gluPerspective(camera.fov, camera.aspect, camera.near_distance, camera.far_distance);
    gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.centre.x, camera.centre.y, camera.centre.z,
              camera.up.x, camera.up.y, camera.up.z);
    glActiveTexture(GL_TEXTURE0);
}
