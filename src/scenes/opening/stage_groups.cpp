// The deep floor's scenery: the background landscape, the Escher crowd on its stair tower, and
// the school of bait fish circling over the stage.
#include <GL/glew.h>

#include <cmath>
#include <numbers>

#include "core/random.h"
#include "render/face_culling.h"
#include "scenes/kit/material_binding.h"
#include "scenes/opening/opening_programs.h"
#include "scenes/opening/opening_stage.h"
#include "scenes/opening/opening_windows.h"
#include "scenes/opening/part_begin.h"

namespace {

constexpr uint32_t school_seed = 77123;
constexpr int school_size = 16;
constexpr double school_spread = 1.1;         // radians of the circle the school stretches over
constexpr float fish_length = 0.8f;           // on the stage
constexpr int fish_back = 1, fish_flank = 4;  // objects of the bait mesh the school shows

}  // namespace

void part_begin::draw_background(double s, LitPass pass) {
    if (!opening::background_window.drawn(pass, s)) return;
    const int program =
        program_base_ + (pass == LitPass::light ? opening::background2_program : opening::background_program);
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", ripples_slot},
                  {"texture2d_2", bg_slot},
                  {"texture2d_3", clouds_slot},
                  {"texture2d_cube", night_slot, GL_TEXTURE_CUBE_MAP},
                  {"texture2d_4", cloud_slot}},
                 "ttime", s);
    shaders_.set_float(program, "Flag", 1.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    glPushMatrix();
    glTranslatef(opening::background_offset.x, opening::background_offset.y, opening::background_offset.z);
    glRotated(180.0, 0.0, 0.0, 1.0);
    glScalef(opening::background_scale, opening::background_scale, opening::background_scale);
    for (int object = 0; object < 3; ++object) meshes_[background_mesh].draw(object);
    glPopMatrix();
}

void part_begin::draw_crowd(double s, LitPass pass) {
    if (!opening::crowd_window.drawn(pass, s)) return;
    // Over its last second the crowd blinks out, a tenth of a second off, a tenth on.
    if (s >= opening::crowd_blink_from) {
        const int step = static_cast<int>((s - opening::crowd_blink_from) / opening::crowd_blink_step);
        if (step < opening::crowd_blink_steps && step % 2 == 0) return;
    }
    const int program = program_base_ + opening::escher2_program;
    use_material(shaders_, *context_, program, {}, "ttime", s);
    glColor3f(0.55f, 0.6f, 0.62f);
    const Vector3& c = opening::stage_centre;
    glPushMatrix();
    glTranslatef(c.x + opening::crowd_x, c.y - opening::crowd_lift, c.z + opening::crowd_z);
    glRotated(180.0, 0.0, 0.0, 1.0);
    // Steps, tower and statuettes are closed: 2.3 ms less a frame without their inner faces.
    const InnerFacesCulled culled;
    meshes_[crowd_mesh].draw(-1);
    glPopMatrix();
}

void part_begin::draw_bait_fish(double s, LitPass pass) {
    if (!opening::bait_fish_window.drawn(pass, s) || !meshes_[bait_mesh].loaded) return;
    const int program = program_base_ + opening::fish2_program;
    use_material(shaders_, *context_, program, {}, "ttime", s);
    const Mesh& fish = meshes_[bait_mesh];
    const float size = fish.bbox_largest > 0 ? fish_length / fish.bbox_largest : 1.0f;
    const Vector3& c = opening::stage_centre;
    seed_random(school_seed);
    for (int i = 0; i < school_size; ++i) {
        const double offset_angle = 0.25 * random_unit();
        const double offset_radius = 1.6 * random_unit() - 0.8;
        const double offset_height = 1.4 * random_unit() - 0.7;
        const double phase = 2.0 * std::numbers::pi * random_unit();
        // The school sweeps round the stage in a loose band, each fish swaying in and out of it.
        const double a = opening::school_turn * s + school_spread * i / school_size + offset_angle;
        const double r = opening::school_radius + offset_radius + 0.4 * std::sin(1.7 * s + phase);
        const double h = opening::school_height + offset_height + 0.25 * std::sin(1.1 * s + 2.0 * phase);
        const float x = static_cast<float>(c.x + opening::school_x + r * std::cos(a));
        const float z = static_cast<float>(c.z + opening::school_z + r * std::sin(a));
        const float y = static_cast<float>(c.y - h);
        // Swimming along the circle: the tangent direction.
        const double heading = -a * 180.0 / std::numbers::pi;
        shaders_.set_float(program, "Rotation", static_cast<float>(phase));
        glPushMatrix();
        glTranslatef(x, y, z);
        glRotated(heading, 0.0, 1.0, 0.0);
        glRotated(180.0, 0.0, 0.0, 1.0);
        glRotated(8.0 * std::sin(1.7 * s + phase), 0.0, 1.0, 0.0);
        glScalef(size, size, size);
        glColor3f(0.2f, 0.2f, 0.2f);
        fish.draw(fish_back);
        glColor3f(0.6f, 0.6f, 0.6f);
        fish.draw(fish_flank);
        glPopMatrix();
    }
}
