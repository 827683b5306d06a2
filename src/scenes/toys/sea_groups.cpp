// The sea and the bridge, the transforming toys on the bridge, and the two point fields.
#include <GL/glew.h>

#include "core/easing.h"
#include "core/random.h"
#include "scenes/toys/part_toys.h"
#include "scenes/toys/toys_blocks.h"
#include "scenes/toys/toys_programs.h"
#include "scenes/toys/toys_stage.h"
#include "scenes/toys/toys_timeline.h"
#include "scenes/toys/toys_windows.h"
#include "show/app_state.h"

namespace {

constexpr float toy_scale = 1.8f;
constexpr float robot_x = -5.5f, crane_x = 6.0f;
// Where each part flies off to when its toy comes apart (in the toy's own units), per group.
constexpr float robot_spread[4][3] = {
    {0.0f, 3.5f, 2.0f}, {0.0f, 7.0f, -1.0f}, {-5.0f, 2.0f, 1.5f}, {1.0f, -1.5f, 4.0f}};
constexpr float crane_spread[4][3] = {
    {0.0f, -1.0f, 3.0f}, {-3.0f, 4.0f, -1.0f}, {4.0f, 6.0f, 0.0f}, {6.0f, 2.0f, 3.0f}};
constexpr float robot_paint[4][3] = {
    {0.75f, 0.2f, 0.15f}, {0.85f, 0.8f, 0.7f}, {0.2f, 0.3f, 0.65f}, {0.3f, 0.32f, 0.36f}};
constexpr float crane_paint[4][3] = {
    {0.25f, 0.25f, 0.22f}, {0.9f, 0.7f, 0.15f}, {0.85f, 0.6f, 0.12f}, {0.5f, 0.5f, 0.5f}};
constexpr float block_scale = 0.7f;
constexpr float block_paint[2][3] = {{0.8f, 0.35f, 0.2f}, {0.9f, 0.75f, 0.3f}};

constexpr float rain_colour[3] = {0.28f, 0.32f, 0.4f};
// The sprites fade with the fixed-function fog density over their distance; the rain lies 180 to
// 270 units off, so the density is kept low enough to leave it visible.
constexpr float particle_fog_density = 0.002f;

}  // namespace

void part_toys::draw_sea_and_bridge(LitPass pass) {
    const double t = state_.t;
    const int p = toys::sea_material;
    use_toy_program(p);
    shaders_.set_switch(p, "isPressable", 1.0f);
    shaders_.set_float(p, "MaterialMultiplier", 1.0f);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, toys::bridge_z);
    // The bridge before the water it stands in (nearest first).
    if (toys::bridge_window.drawn(pass, t)) {
        shaders_.set_switch(p, "isStone", 1.0f);
        glColor3f(0.6f, 0.55f, 0.48f);
        meshes_[bridge_mesh].draw(-1);
    }
    shaders_.set_switch(p, "isStone", 0.0f);
    glColor3f(0.1f, 0.2f, 0.35f);
    meshes_[sea_mesh].draw(-1);
    glPopMatrix();
}

void part_toys::draw_toys(LitPass) {
    const double t = state_.t;
    const int p = toys::toy_blocks;
    use_toy_program(p);
    shaders_.set_float(p, "MaterialMultiplier", 1.0f);
    shaders_.set_float(p, "PosY", static_cast<float>(state_.frame.camera_y));
    shaders_.set_float(p, "ttimer1", static_cast<float>(eased_window(t, toys::toys_from, 0.5)));
    shaders_.set_switch(p, "IsBox", 0.0f);

    auto toy = [&](MeshIndex mesh, float x, double assembled, const float(&spread)[4][3],
                   const float(&paint)[4][3]) {
        const float apart = static_cast<float>(1.0 - assembled);
        for (int group = 0; group < 4; ++group) {
            glPushMatrix();
            glTranslatef(x, toys::deck_y, toys::bridge_z);
            // Their faces towards the sea side the camera looks from.
            glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
            glScalef(toy_scale, toy_scale, toy_scale);
            glTranslatef(spread[group][0] * apart, spread[group][1] * apart, spread[group][2] * apart);
            glRotatef(apart * 140.0f * (group % 2 ? 1.0f : -1.0f), 0.3f, 1.0f, 0.2f);
            glColor3f(paint[group][0], paint[group][1], paint[group][2]);
            meshes_[mesh].draw(group);
            glPopMatrix();
        }
    };
    toy(transf1_mesh, robot_x, toys::robot_assembly(t), robot_spread, robot_paint);
    toy(transf3_mesh, crane_x, toys::crane_assembly(t), crane_spread, crane_paint);

    shaders_.set_switch(p, "IsBox", 1.0f);
    const float centres[2][2] = {{robot_x, toys::deck_y + 5.0f}, {crane_x, toys::deck_y + 3.0f}};
    for (int burst = 0; burst < 2; ++burst) {
        glColor3f(block_paint[burst][0], block_paint[burst][1], block_paint[burst][2]);
        for (int k = 0; k < toys::burst_blocks; ++k) {
            const toys::BlockPlace b = toys::burst_block(burst, k, t);
            if (!b.shown) continue;
            glPushMatrix();
            glTranslatef(centres[burst][0] + b.x, centres[burst][1] + b.y, toys::bridge_z + b.z);
            glRotatef(b.spin, 0.4f, 1.0f, 0.3f);
            glScalef(block_scale, block_scale, block_scale);
            meshes_[burst == 0 ? box_mesh : cylinder_mesh].draw(-1);
            glPopMatrix();
        }
    }
    shaders_.set_switch(p, "IsBox", 0.0f);
}

void part_toys::draw_particles(LitPass pass) {
    const double t = state_.t;
    const bool rain = toys::rain_window.drawn(pass, t), swarm = toys::swarm_window.drawn(pass, t);
    if (!rain && !swarm) return;
    const int p = toys::particles_program;
    shaders_.use_program(p);
    seed_random(toys::particle_seed);
    // The particle program declares "mode" as a float; an int setter would fail on it.
    shaders_.set_float(p, "mode", 1.0f);
    shaders_.set_float(p, "Screensize", static_cast<float>(app_state().window_width / 1000.0));
    glFogf(GL_FOG_DENSITY, particle_fog_density);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);
    if (rain) {
        shaders_.set_float(p, "particlesize", 20.0f);
        glColor3f(rain_colour[0], rain_colour[1], rain_colour[2]);
        toys::rain_field(t, specks_);
    } else {
        shaders_.set_float(p, "particlesize", 4.0f);
        glColor3f(0.0f, 0.0f, 0.0f);
        toys::swarm_field(specks_);
    }
    glBegin(GL_POINTS);
    for (const toys::Speck& s : specks_) glVertex3f(s.x, s.y, s.z);
    glEnd();
    glDisable(GL_POINT_SPRITE);
    glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
    shaders_.disable_programs();
}
