#include "render/graphics_context.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

#include "render/log_line.h"

namespace {

int clamp_target(int target) { return std::clamp(target, 0, GraphicsContext::render_target_count - 1); }

constexpr GLenum colour_attachments[3] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1, GL_COLOR_ATTACHMENT2};

}  // namespace

std::string GraphicsContext::start_up(std::function<void(double)> progress_callback, int render_width,
                                      int render_height, bool low_spec_gpu) {
    progress = std::move(progress_callback);
    const GLubyte* vendor_text = glGetString(GL_VENDOR);
    std::string vendor = vendor_text ? reinterpret_cast<const char*>(vendor_text) : "";
    glewExperimental = GL_TRUE;
    glewInit();
    // Before any scene loads: the chain's copies are compiled for it while the scenes load.
    if (glGenSamplers) {
        glGenSamplers(1, &texel_sampler);
        glSamplerParameteri(texel_sampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glSamplerParameteri(texel_sampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glSamplerParameteri(texel_sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(texel_sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    create_render_target(0, render_width, render_height, 0);
    create_render_target(1, render_width / 4, render_height / 4, 0);
    texture_slot_base = 0;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    placeholder_textures = false;
    compress_textures = false;
    low_detail = low_spec_gpu;
    return vendor;
}

int GraphicsContext::table_index(int slot) const {
    const long long index =
        slot < absolute_slot_start ? static_cast<long long>(slot) + texture_slot_base : slot;
    if (index < 0 || index >= table_size) {
        log_line("Texture slot " + std::to_string(slot) + " is outside the texture table.");
        return -1;
    }
    return static_cast<int>(index);
}

int GraphicsContext::writable_index(int slot) const {
    const int index = table_index(slot);
    if (index < 0) return -1;
    const bool framebuffer =
        index >= draw_framebuffer_index && index < resolve_framebuffer_index + render_target_count;
    if (framebuffer || index == base_index) {
        log_line("Texture slot " + std::to_string(slot) + " is reserved for the render targets.");
        return -1;
    }
    return index;
}

uint32_t GraphicsContext::texture_name(int slot) const {
    const int index = table_index(slot);
    return index < 0 ? 0u : texture_table[index];
}

void GraphicsContext::bind_texture_slot(int slot) const {
    const int index = table_index(slot);
    if (index < 0) return;
    glBindTexture(GL_TEXTURE_2D, texture_table[index]);
}

void GraphicsContext::create_render_target(int target, int width, int height, int samples) {
    const int t = clamp_target(target);
    TargetObjects& objects = targets_[t];
    glDeleteFramebuffers(1, &objects.draw);
    glDeleteFramebuffers(1, &objects.resolve);
    for (GLuint* renderbuffer : {&objects.colour0, &objects.colour1, &objects.depth})
        glDeleteRenderbuffers(1, renderbuffer);

    auto renderbuffer = [&](int index, GLenum format) {
        GLuint name = 0;
        glGenRenderbuffers(1, &name);
        glBindRenderbuffer(GL_RENDERBUFFER, name);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
        release_texture(index + t);
        texture_table[index + t] = name;
        return name;
    };
    objects.colour0 = renderbuffer(colour0_renderbuffer_index, GL_RGBA8);
    objects.colour1 = renderbuffer(colour1_renderbuffer_index, GL_RGBA8);
    objects.depth = renderbuffer(depth_renderbuffer_index, GL_DEPTH_COMPONENT24);

    glGenFramebuffers(1, &objects.draw);
    glBindFramebuffer(GL_FRAMEBUFFER, objects.draw);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, objects.colour0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_RENDERBUFFER, objects.colour1);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, objects.depth);
    texture_table[draw_framebuffer_index + t] = objects.draw;

    glGenFramebuffers(1, &objects.resolve);
    glBindFramebuffer(GL_FRAMEBUFFER, objects.resolve);
    texture_table[resolve_framebuffer_index + t] = objects.resolve;
}

void GraphicsContext::bind_render_target(int target, int colour_count) {
    const int t = clamp_target(target);
    const int count = std::clamp(colour_count, 1, 3);
    glBindFramebuffer(GL_FRAMEBUFFER, texture_table[draw_framebuffer_index + t]);
    glDrawBuffers(count, colour_attachments);
}

uint32_t GraphicsContext::attach_color_texture(int target, int attachment, int slot) {
    // The target is clamped like everywhere else: an unclamped number would read a texture
    // name out of the table and bind it as a framebuffer.
    const int t = clamp_target(target);
    const int a = std::clamp(attachment, 0, 2);
    glBindFramebuffer(GL_FRAMEBUFFER, texture_table[resolve_framebuffer_index + t]);
    glFramebufferTexture2D(GL_FRAMEBUFFER, colour_attachments[a], GL_TEXTURE_2D, texture_name(slot), 0);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER);
}

uint32_t GraphicsContext::attach_depth_texture(int target, int slot) {
    const int t = clamp_target(target);
    glBindFramebuffer(GL_FRAMEBUFFER, texture_table[resolve_framebuffer_index + t]);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, texture_name(slot), 0);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER);
}

void GraphicsContext::resolve_render_target(int target, int width, int height, int colour_count,
                                            bool copy_depth) {
    const int t = clamp_target(target);
    const int count = std::clamp(colour_count, 1, 3);
    const GLuint draw = texture_table[draw_framebuffer_index + t];
    const GLuint resolve = texture_table[resolve_framebuffer_index + t];
    for (int k = 0; k < count; ++k) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, draw);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolve);
        glDrawBuffer(colour_attachments[k]);
        glReadBuffer(colour_attachments[k]);
        glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    if (copy_depth) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, draw);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolve);
        glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    }
}

void GraphicsContext::bind_window_framebuffer() { glBindFramebuffer(GL_FRAMEBUFFER, 0); }

void GraphicsContext::scale_up_to_window(int target, int width, int height, int bottom, int window_width,
                                         int window_height) {
    // The caller's active unit, unit 0's texture and sampler and the program come back at the end.
    GLint active = 0, texture = 0, sampler = 0, program = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);

    ScaledPicture& picture = scaled_picture_;
    if (picture.width != width || picture.height != height) {
        if (picture.texture == 0) glGenTextures(1, &picture.texture);
        if (picture.framebuffer == 0) glGenFramebuffers(1, &picture.framebuffer);
        glBindTexture(GL_TEXTURE_2D, picture.texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture.texture, 0);
        picture.width = width;
        picture.height = height;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, texture_table[draw_framebuffer_index + clamp_target(target)]);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, picture.framebuffer);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    bind_window_framebuffer();

    // The texture on a quad over the window's rectangle, as it is: no program, the texture's
    // colour replacing the quad's, and of the per-fragment steps only the scissor test, as for
    // the blit. The attribute stack keeps the rest of the caller's state (pushed with the window
    // bound, whose draw buffer it restores).
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT | GL_TRANSFORM_BIT | GL_CURRENT_BIT |
                 GL_COLOR_BUFFER_BIT);
    glUseProgram(0);
    if (sampler != 0) glBindSampler(0, 0);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glViewport(0, bottom, window_width, window_height);
    for (GLenum mode : {GL_PROJECTION, GL_TEXTURE, GL_MODELVIEW}) {
        glMatrixMode(mode);
        glPushMatrix();
        glLoadIdentity();
    }
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    for (GLenum mode : {GL_PROJECTION, GL_TEXTURE, GL_MODELVIEW}) {
        glMatrixMode(mode);
        glPopMatrix();
    }
    glPopAttrib();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    if (sampler != 0) glBindSampler(0, static_cast<GLuint>(sampler));
    glUseProgram(static_cast<GLuint>(program));
    glActiveTexture(static_cast<GLenum>(active));
}

void GraphicsContext::reset_fixed_function_state() {
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHT0);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
