// Plankton and bubbles drawn as point sprites, and glowing motes as billboards: immediate-mode
// geometry placed from the show's generator, so every frame depends only on the clock.
#include <GL/glew.h>

#include <cmath>

#include "core/easing.h"
#include "core/random.h"
#include "render/post_processing.h"
#include "scenes/kit/material_binding.h"
#include "scenes/opening/opening_programs.h"
#include "scenes/opening/opening_stage.h"
#include "scenes/opening/opening_windows.h"
#include "scenes/opening/part_begin.h"

namespace {

constexpr uint32_t plankton_seed = 5150;
constexpr uint32_t bubble_seed = 8086;
constexpr uint32_t mote_seed = 6502;
constexpr float plankton_box = 24.0f;  // the specks fill a box that travels with the camera

// Wraps v into [centre - box/2, centre + box/2).
float around(float v, float centre, float box) {
    float d = std::fmod(v - centre + box / 2.0f, box);
    if (d < 0) d += box;
    return centre + d - box / 2.0f;
}

// Additive point sprites that leave the depth buffer alone, drawn with `program` at `size`.
void begin_sprites(ShaderLibrary& shaders, int program, float size, float screen, float mode) {
    shaders.use_program(program);
    shaders.set_float(program, "particlesize", size);
    shaders.set_float(program, "Screensize", screen);
    shaders.set_float(program, "mode", mode);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE);
}

void end_sprites() {
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_POINT_SPRITE);
    glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
}

}  // namespace

// Drifting specks around the camera: a few hundred near the surface, more in the dive, fewer
// again in the deep.
void part_begin::draw_plankton(double s, LitPass pass) {
    if (!opening::plankton_window.drawn(pass, s)) return;
    const int count = s < opening::plankton_thicker ? 500 : (s < opening::plankton_thinner ? 900 : 350);
    const int program = program_base_ + opening::particles2_program;
    begin_sprites(shaders_, program, 0.05f, static_cast<float>(sizes_.render_height), 1.0f);
    shaders_.set_float(program, "ttime", static_cast<float>(s));
    const Vector3& eye = context_->view_camera.eye;
    seed_random(plankton_seed);
    glColor3f(0.35f, 0.5f, 0.5f);
    glBegin(GL_POINTS);
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(random_unit() * 400.0 + 0.15 * std::sin(0.3 * s + i));
        const float y = static_cast<float>(random_unit() * 400.0 - 0.08 * s);
        const float z = static_cast<float>(random_unit() * 400.0 + 0.1 * s);
        glVertex3f(around(x, eye.x, plankton_box), around(y, eye.y, plankton_box),
                   around(z, eye.z, plankton_box));
    }
    glEnd();
    end_sprites();
}

// Bubbles spiralling up round the stage as the camera arrives.
void part_begin::draw_bubble_swirl(double s, LitPass pass) {
    if (!opening::swirl_window.drawn(pass, s)) return;
    begin_sprites(shaders_, program_base_ + opening::particles2_program, 0.09f,
                  static_cast<float>(sizes_.render_height), 0.0f);
    const float fade = static_cast<float>(1.0 - ease_cos(0.5 * (s - (opening::swirl_window.to - 2.0)), 1.0));
    glColor3f(0.25f * fade, 0.4f * fade, 0.45f * fade);
    const Vector3& c = opening::stage_centre;
    seed_random(bubble_seed);
    glBegin(GL_POINTS);
    for (int i = 0; i < 240; ++i) {
        const double r = 3.0 + 9.0 * random_unit();
        const double a = 6.2832 * random_unit() + 0.25 * s * (12.0 / r);
        const double h = std::fmod(12.0 * random_unit() + 0.9 * s, 12.0);
        glVertex3f(static_cast<float>(c.x + r * std::cos(a)), static_cast<float>(c.y - h),
                   static_cast<float>(c.z - 4.0 + r * std::sin(a)));
    }
    glEnd();
    end_sprites();
}

// A column of bubbles rising from the sand before the plinth, thickening until 69.
void part_begin::draw_bubble_column(double s, LitPass pass) {
    if (!opening::column_window.drawn(pass, s)) return;
    begin_sprites(shaders_, program_base_ + opening::particles_program, 0.12f,
                  static_cast<float>(sizes_.render_height), 1.0f);
    const double full = ease_cos(
        (s - opening::column_window.from) / (opening::column_full - opening::column_window.from), 1.0);
    const int count = static_cast<int>(40 + 160 * full);
    glColor3f(0.5f, 0.65f, 0.7f);
    const Vector3& c = opening::stage_centre;
    seed_random(bubble_seed + 1);
    glBegin(GL_POINTS);
    for (int i = 0; i < count; ++i) {
        const double speed = 1.2 + 1.5 * random_unit();
        const double h = std::fmod(30.0 * random_unit() + speed * s, 30.0);
        const double wobble = 0.15 * std::sin(3.0 * s + 7.0 * i);
        const double spread = 0.2 + 0.05 * h;
        glVertex3f(static_cast<float>(c.x + 4.0 + spread * (random_unit() - 0.5) + wobble),
                   static_cast<float>(c.y - h),
                   static_cast<float>(c.z - 3.0 + spread * (random_unit() - 0.5)));
    }
    glEnd();
    end_sprites();
}

void part_begin::draw_billboards(double s, LitPass pass) {
    if (!opening::motes_window.drawn(pass, s)) return;
    const int program = program_base_ + opening::billboards_program;
    use_material(shaders_, *context_, program, {{"texture2d_1", blob_slot}});
    // Camera-facing: the modelview's rows are the camera's right and up in world space.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const Vector3 right_axis{m[0], m[4], m[8]}, up_axis{m[1], m[5], m[9]};
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE);
    const float fade_in = static_cast<float>(ease_cos(0.4 * (s - opening::motes_window.from), 1.0));
    const Vector3& c = opening::stage_centre;
    seed_random(mote_seed);
    glBegin(GL_QUADS);
    for (int i = 0; i < 28; ++i) {
        const double x = 24.0 * random_unit() - 12.0, z = 20.0 * random_unit() - 14.0;
        const double h = 2.0 + 7.0 * random_unit(), phase = 6.2832 * random_unit();
        const double pulse = 0.6 + 0.4 * std::sin(1.3 * s + phase);
        const Vector3 centre{static_cast<float>(c.x + x + 0.6 * std::sin(0.21 * s + phase)),
                             static_cast<float>(c.y - h - 0.3 * std::sin(0.4 * s + phase)),
                             static_cast<float>(c.z + z)};
        const float level = static_cast<float>(fade_in * pulse);
        glColor3f(0.25f * level, 0.55f * level, 0.6f * level);
        Vector3 right = right_axis, up = up_axis;
        const double size = 0.25 + 0.2 * pulse;
        draw_billboard(size, size, centre, right, up);
    }
    glEnd();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
