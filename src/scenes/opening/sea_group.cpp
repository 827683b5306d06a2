// The sea surface and the sea-floor slabs the dive passes over.
#include <GL/glew.h>

#include <algorithm>

#include "core/easing.h"
#include "scenes/kit/material_binding.h"
#include "scenes/opening/opening_programs.h"
#include "scenes/opening/opening_stage.h"
#include "scenes/opening/opening_timeline.h"
#include "scenes/opening/opening_windows.h"
#include "scenes/opening/part_begin.h"

namespace {

// Objects of the sea-floor mesh.
constexpr int floor_sand = 0, floor_kelp = 2;

}  // namespace

void part_begin::draw_sea(double s, LitPass pass) {
    const bool prepass = opening::runs_background_prepass(s);
    const bool near = prepass && opening::near_sea_window.drawn(pass, s),
               far = prepass && opening::far_sea_window.drawn(pass, s);
    if (!near && !far) return;
    const int program = program_base_ + opening::sea_program;
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", ripples_slot},
                  {"texture2d_2", textures_.prepass_depth},
                  {"texture2d_3", prepass_slot},
                  {"texture2d_blob", blob_slot},
                  {"texture2d_cube", night_slot, GL_TEXTURE_CUBE_MAP}},
                 "ttime", s);
    shaders_.set_float(program, "PosY", static_cast<float>(state_.frame.camera_y));
    shaders_.set_float(program, "BigSea", 1.0f);
    shaders_.set_projector_matrix(projector_);
    glMatrixMode(GL_MODELVIEW);

    // The surface is seen from beneath: its faces point at the sky, so the ones turned toward
    // the camera are the back faces.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    shaders_.set_float(program, "PosY",
                       static_cast<float>(1.2 * ease_cos(std::clamp(0.07 * s, 0.0, 1.0), 2.0) + 0.1));
    shaders_.set_float(program, "Light", static_cast<float>(ease_cos(0.15 * (s - 2.0), 1.0)));
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glRotated(180.0, 1.0, 0.0, 0.0);
    glScaled(5.0, 5.0, 5.0);
    if (near) meshes_[sea_mesh].draw(-1);
    if (far) {
        glTranslated(0.0, 310.0, 0.0);
        shaders_.set_float(program, "BigSea", 0.015f);
        glScaled(142.0, 42.0, 142.0);
        meshes_[sea_mesh].draw(-1);
    }
    glPopMatrix();
    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);
}

void part_begin::draw_sea_floor(double s, LitPass pass) {
    const int program = program_base_ + opening::seafloor_program;
    const bool stage_floor = opening::stage_floor_window.drawn(pass, s);
    bool any = stage_floor;
    for (const auto& copy : opening::floor_copies) any = any || copy.window.holds(s);
    if (!any) return;
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", ripples_slot},
                  {"texture2d_2", textured_blob_slot},
                  {"texture2d_cube", night_slot, GL_TEXTURE_CUBE_MAP}},
                 "ttime", s);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (const auto& copy : opening::floor_copies) {
        if (!copy.window.holds(s)) continue;
        // Each slab rises out of the sand as its window opens and sinks back as it closes.
        const double in = std::min(s - copy.window.from, copy.window.to - s);
        shaders_.set_float(program, "smash", static_cast<float>(1.0 - ease_cos(0.8 * in, 1.0)));
        glPushMatrix();
        glTranslatef(copy.x, copy.y, copy.z_rate * static_cast<float>(s) + copy.z_at);
        glRotated(180.0, 0.0, 0.0, 1.0);
        glScaled(6.0, 6.0, 6.0);
        meshes_[floor_mesh].draw(-1);
        glPopMatrix();
    }
    if (stage_floor) {
        // The stage's own ground: the sand pressed nearly flat so the figures stand on it, the
        // kelp left standing.
        const Vector3& c = opening::stage_centre;
        glPushMatrix();
        glTranslatef(c.x, c.y, c.z);
        glRotated(180.0, 0.0, 0.0, 1.0);
        glPushMatrix();
        glScaled(1.0, 0.3, 1.0);
        shaders_.set_float(program, "smash", 1.0f);
        meshes_[floor_mesh].draw(floor_sand);
        glPopMatrix();
        shaders_.set_float(program, "smash", 0.0f);
        glScaled(0.6, 0.6, 0.6);
        meshes_[floor_mesh].draw(floor_kelp);
        glPopMatrix();
    }
}
