#include "tests/wiring/gl_recorder.h"

#include <GL/glew.h>

#include <map>

namespace {

// A program's active uniforms, looked up once per program per recording.
struct ActiveUniform {
    std::string name;
    GLenum type = 0;
    GLint location = -1;
};

struct Recorder {
    bool recording = false;
    std::vector<GlEvent> events;
    std::map<GLuint, std::vector<ActiveUniform>> uniforms_by_program;
    std::vector<uint32_t> made_current;  // programs made current since the last draw
    PFNGLUSEPROGRAMPROC use_program = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blit = nullptr;
    PFNGLDRAWELEMENTSINSTANCEDPROC draw_elements_instanced = nullptr;
    PFNGLDRAWARRAYSINSTANCEDPROC draw_arrays_instanced = nullptr;
    PFNGLDRAWRANGEELEMENTSPROC draw_range_elements = nullptr;
};
Recorder g_recorder;

GLint get_int(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

std::vector<ActiveUniform> list_uniforms(GLuint program) {
    std::vector<ActiveUniform> list;
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[256] = {};
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
        std::string uniform = name;
        if (uniform.rfind("gl_", 0) == 0) continue;  // built-in state
        const std::size_t bracket = uniform.find('[');
        if (bracket != std::string::npos) uniform.resize(bracket);
        list.push_back({uniform, type, glGetUniformLocation(program, name)});
    }
    return list;
}

const std::vector<ActiveUniform>& active_uniforms(GLuint program) {
    auto found = g_recorder.uniforms_by_program.find(program);
    if (found != g_recorder.uniforms_by_program.end()) return found->second;
    return g_recorder.uniforms_by_program[program] = list_uniforms(program);
}

// The texture target a sampler type reads and the binding query for it; 0 for other types.
GLenum sampler_binding(GLenum type) {
    switch (type) {
        case GL_SAMPLER_1D:
            return GL_TEXTURE_BINDING_1D;
        case GL_SAMPLER_2D:
        case GL_SAMPLER_2D_SHADOW:
            return GL_TEXTURE_BINDING_2D;
        case GL_SAMPLER_3D:
            return GL_TEXTURE_BINDING_3D;
        case GL_SAMPLER_CUBE:
            return GL_TEXTURE_BINDING_CUBE_MAP;
        default:
            return 0;
    }
}

// Components of a float / int / bool scalar or vector type; 0 for anything else.
int components(GLenum type, bool& is_float) {
    is_float = true;
    switch (type) {
        case GL_FLOAT:
            return 1;
        case GL_FLOAT_VEC2:
            return 2;
        case GL_FLOAT_VEC3:
            return 3;
        case GL_FLOAT_VEC4:
            return 4;
        default:
            break;
    }
    is_float = false;
    switch (type) {
        case GL_INT:
        case GL_BOOL:
            return 1;
        case GL_INT_VEC2:
        case GL_BOOL_VEC2:
            return 2;
        case GL_INT_VEC3:
        case GL_BOOL_VEC3:
            return 3;
        case GL_INT_VEC4:
        case GL_BOOL_VEC4:
            return 4;
        default:
            return 0;
    }
}

std::vector<UniformValue> read_values(GLuint program, const std::vector<ActiveUniform>& uniforms) {
    std::vector<UniformValue> values;
    for (const ActiveUniform& u : uniforms) {
        bool is_float = false;
        const int n = components(u.type, is_float);
        if (u.location < 0 || n == 0) continue;
        UniformValue value{u.name, {}};
        if (is_float) {
            GLfloat v[4] = {};
            glGetUniformfv(program, u.location, v);
            value.value.assign(v, v + n);
        } else {
            GLint v[4] = {};
            glGetUniformiv(program, u.location, v);
            value.value.assign(v, v + n);
        }
        values.push_back(std::move(value));
    }
    return values;
}

uint32_t texture_on_unit(GLint unit, GLenum binding) {
    glActiveTexture(GL_TEXTURE0 + unit);
    return static_cast<uint32_t>(get_int(binding));
}

void record_draw(const char* call) {
    if (!g_recorder.recording) return;
    GlEvent event;
    DrawRecord& d = event.draw_record;
    d.call = call;
    d.framebuffer = static_cast<uint32_t>(get_int(GL_DRAW_FRAMEBUFFER_BINDING));
    for (int i = 0; i < 4; ++i)
        if (get_int(GL_DRAW_BUFFER0 + i) != GL_NONE) ++d.outputs;
    GLboolean mask[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    d.colour_writes = mask[0] || mask[1] || mask[2] || mask[3];
    glGetFloatv(GL_CURRENT_COLOR, d.colour);
    d.program = static_cast<uint32_t>(get_int(GL_CURRENT_PROGRAM));
    d.programs_made_current.swap(g_recorder.made_current);

    const GLint active_unit = get_int(GL_ACTIVE_TEXTURE) - GL_TEXTURE0;
    if (d.program == 0) {
        glActiveTexture(GL_TEXTURE0);
        if (glIsEnabled(GL_TEXTURE_2D))
            d.samplers.push_back({"fixed-function unit 0", texture_on_unit(0, GL_TEXTURE_BINDING_2D)});
    } else {
        for (const ActiveUniform& u : active_uniforms(d.program)) {
            const GLenum binding = sampler_binding(u.type);
            if (u.location < 0 || binding == 0) continue;
            GLint unit = 0;
            glGetUniformiv(d.program, u.location, &unit);
            d.samplers.push_back({u.name, texture_on_unit(unit, binding)});
        }
        d.uniforms = read_values(d.program, active_uniforms(d.program));
    }
    glActiveTexture(GL_TEXTURE0 + active_unit);
    event.kind = GlEvent::draw;
    g_recorder.events.push_back(std::move(event));
}

// The texture attached where a blit writes: the draw buffer's colour attachment, or the depth.
uint32_t attached_texture(GLenum attachment) {
    GLint type = GL_NONE, name = 0;
    glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, attachment,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
    if (type != GL_TEXTURE) return 0;
    glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, attachment,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
    return static_cast<uint32_t>(name);
}

void record_blit(GLint x0, GLint y0, GLint x1, GLint y1, GLbitfield mask) {
    if (!g_recorder.recording) return;
    const auto record = [&](bool depth) {
        GlEvent event;
        event.kind = GlEvent::blit;
        BlitRecord& b = event.blit_record;
        b.from_framebuffer = static_cast<uint32_t>(get_int(GL_READ_FRAMEBUFFER_BINDING));
        b.to_framebuffer = static_cast<uint32_t>(get_int(GL_DRAW_FRAMEBUFFER_BINDING));
        b.depth = depth;
        b.width = x1 - x0;
        b.height = y1 - y0;
        if (!depth && b.from_framebuffer != 0)
            b.read_attachment = get_int(GL_READ_BUFFER) - GL_COLOR_ATTACHMENT0;
        if (b.to_framebuffer != 0)
            b.texture =
                attached_texture(depth ? GL_DEPTH_ATTACHMENT : static_cast<GLenum>(get_int(GL_DRAW_BUFFER0)));
        g_recorder.events.push_back(std::move(event));
    };
    if (mask & GL_COLOR_BUFFER_BIT) record(false);
    if (mask & GL_DEPTH_BUFFER_BIT) record(true);
}

void GLAPIENTRY recorded_use_program(GLuint program) {
    if (g_recorder.recording) g_recorder.made_current.push_back(program);
    g_recorder.use_program(program);
}
void GLAPIENTRY recorded_blit(GLint sx0, GLint sy0, GLint sx1, GLint sy1, GLint dx0, GLint dy0, GLint dx1,
                              GLint dy1, GLbitfield mask, GLenum filter) {
    record_blit(dx0, dy0, dx1, dy1, mask);
    g_recorder.blit(sx0, sy0, sx1, sy1, dx0, dy0, dx1, dy1, mask, filter);
}
void GLAPIENTRY recorded_draw_elements_instanced(GLenum mode, GLsizei count, GLenum type, const void* indices,
                                                 GLsizei instances) {
    record_draw("glDrawElementsInstanced");
    g_recorder.draw_elements_instanced(mode, count, type, indices, instances);
}
void GLAPIENTRY recorded_draw_arrays_instanced(GLenum mode, GLint first, GLsizei count, GLsizei instances) {
    record_draw("glDrawArraysInstanced");
    g_recorder.draw_arrays_instanced(mode, first, count, instances);
}
void GLAPIENTRY recorded_draw_range_elements(GLenum mode, GLuint start, GLuint end, GLsizei count,
                                             GLenum type, const void* indices) {
    record_draw("glDrawRangeElements");
    g_recorder.draw_range_elements(mode, start, end, count, type, indices);
}

template <typename Function>
void stand_in_front(Function& entry, Function& saved, Function recorded) {
    if (!entry || entry == recorded) return;
    saved = entry;
    entry = recorded;
}

}  // namespace

extern "C" {
void __real_glBegin(GLenum mode);
void __real_glCallList(GLuint list);
void __real_glCallLists(GLsizei n, GLenum type, const void* lists);
void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void __real_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);

void __wrap_glBegin(GLenum mode) {
    record_draw("glBegin");
    __real_glBegin(mode);
}
void __wrap_glCallList(GLuint list) {
    record_draw("glCallList");
    __real_glCallList(list);
}
void __wrap_glCallLists(GLsizei n, GLenum type, const void* lists) {
    record_draw("glCallLists");
    __real_glCallLists(n, type, lists);
}
void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    record_draw("glDrawArrays");
    __real_glDrawArrays(mode, first, count);
}
void __wrap_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    record_draw("glDrawElements");
    __real_glDrawElements(mode, count, type, indices);
}
}

void start_gl_recording() {
    stand_in_front(__glewUseProgram, g_recorder.use_program, &recorded_use_program);
    stand_in_front(__glewBlitFramebuffer, g_recorder.blit, &recorded_blit);
    stand_in_front(__glewDrawElementsInstanced, g_recorder.draw_elements_instanced,
                   &recorded_draw_elements_instanced);
    stand_in_front(__glewDrawArraysInstanced, g_recorder.draw_arrays_instanced,
                   &recorded_draw_arrays_instanced);
    stand_in_front(__glewDrawRangeElements, g_recorder.draw_range_elements, &recorded_draw_range_elements);
    g_recorder.events.clear();
    g_recorder.made_current.clear();
    g_recorder.uniforms_by_program.clear();
    g_recorder.recording = true;
}

std::vector<GlEvent> stop_gl_recording() {
    g_recorder.recording = false;
    return std::move(g_recorder.events);
}

std::vector<UniformValue> uniform_values(uint32_t program) {
    return read_values(program, list_uniforms(program));
}
