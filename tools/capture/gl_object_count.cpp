#include "tools/capture/gl_object_count.h"

#include <GL/glew.h>

namespace {

// The count and the entry points it stands in front of. A GL entry point is a plain function
// pointer, so the count cannot travel with it: it lives here, for the one GL context of capture.
struct GlCreationCounts {
    bool counting = false;
    long created = 0;
    PFNGLGENFRAMEBUFFERSPROC gen_framebuffers = nullptr;
    PFNGLGENRENDERBUFFERSPROC gen_renderbuffers = nullptr;
    PFNGLGENBUFFERSPROC gen_buffers = nullptr;
    PFNGLCREATESHADERPROC create_shader = nullptr;
    PFNGLCREATEPROGRAMPROC create_program = nullptr;
};
GlCreationCounts g_counts;

void count(GLsizei n) {
    if (g_counts.counting && n > 0) g_counts.created += n;
}

void GLAPIENTRY counted_gen_framebuffers(GLsizei n, GLuint* names) {
    count(n);
    g_counts.gen_framebuffers(n, names);
}
void GLAPIENTRY counted_gen_renderbuffers(GLsizei n, GLuint* names) {
    count(n);
    g_counts.gen_renderbuffers(n, names);
}
void GLAPIENTRY counted_gen_buffers(GLsizei n, GLuint* names) {
    count(n);
    g_counts.gen_buffers(n, names);
}
GLuint GLAPIENTRY counted_create_shader(GLenum type) {
    count(1);
    return g_counts.create_shader(type);
}
GLuint GLAPIENTRY counted_create_program() {
    count(1);
    return g_counts.create_program();
}

template <typename Function>
void stand_in_front(Function& entry, Function& saved, Function counted) {
    if (!entry || entry == counted) return;
    saved = entry;
    entry = counted;
}

}  // namespace

extern "C" void __real_glGenTextures(GLsizei n, GLuint* textures);
extern "C" void __wrap_glGenTextures(GLsizei n, GLuint* textures) {
    count(n);
    __real_glGenTextures(n, textures);
}

void start_counting_gl_objects() {
    stand_in_front(__glewGenFramebuffers, g_counts.gen_framebuffers, &counted_gen_framebuffers);
    stand_in_front(__glewGenRenderbuffers, g_counts.gen_renderbuffers, &counted_gen_renderbuffers);
    stand_in_front(__glewGenBuffers, g_counts.gen_buffers, &counted_gen_buffers);
    stand_in_front(__glewCreateShader, g_counts.create_shader, &counted_create_shader);
    stand_in_front(__glewCreateProgram, g_counts.create_program, &counted_create_program);
    g_counts.created = 0;
    g_counts.counting = true;
}

long gl_objects_created() { return g_counts.created; }
