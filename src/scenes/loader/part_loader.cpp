#include "scenes/loader/part_loader.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <string>

#include "render/graphics_context.h"
#include "render/post_processing.h"
#include "scenes/loader/loading_ring.h"
#include "show/app_state.h"

namespace {

// One band of the ring as a quad strip: each step goes from `from` (in colour a, 0, 0) to `to`
// (in to_level, 0, 0).
void ring_strip(double progress, float level, float from, float to, float to_level) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < loading_ring::steps; ++i) {
        const Vector3 a = loading_ring::point(progress, i, from);
        const Vector3 b = loading_ring::point(progress, i, to);
        glColor3f(level, 0.0f, 0.0f);
        glVertex3f(a.x, a.y, a.z);
        glColor3f(to_level, 0.0f, 0.0f);
        glVertex3f(b.x, b.y, b.z);
    }
    glEnd();
}

}  // namespace

void part_loader::load(GraphicsContext* context) {
    progress = 0.0;
    slot_base = 5000;
    auto load_clamped = [context](const std::string& file, int slot) {
        context->load_jpeg_texture(file, slot);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    };
    load_clamped("textures/theloader3.jpg", slot_base + logo_offset);
    for (int i = 0; i < overlay_count; ++i)
        load_clamped("textures/P" + std::to_string(i + 1) + ".jpg", first_overlay_slot + i);
}

void part_loader::advance(double step, FrameState&) { progress = loading_ring::advanced(progress, step); }

void part_loader::render(GraphicsContext& context) {
    const AppState& app = app_state();

    // The window is bound before the attributes are saved: the saved draw buffer is then the
    // window's, and restoring it cannot fail. (Right after start-up a framebuffer object is
    // bound, whose draw buffer the window does not have.)
    context.bind_window_framebuffer();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glUseProgram(0);

    glViewport(0, 0, app.picture_width, app.picture_height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65.0, static_cast<double>(app.picture_width) / app.picture_height, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 9.9, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

    glColor3f(1.0f, 0.0f, 0.0f);
    glDisable(GL_CULL_FACE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const float a = loading_ring::brightness(progress);
    using namespace loading_ring;
    ring_strip(progress, a, inner_radius, outer_radius, a);
    ring_strip(progress, a, inner_radius, inner_fringe, 0.0f);
    ring_strip(progress, a, outer_radius, outer_fringe, 0.0f);

    glEnable(GL_TEXTURE_2D);
    context.bind_texture_slot(slot_base + logo_offset);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor3f(a, a, a);
    draw_screen_quad(0.0, logo_half_size, logo_half_size, true, 1.0f);

    glDisable(GL_BLEND);
    glPopMatrix();
    glPopAttrib();
    glFlush();
}
