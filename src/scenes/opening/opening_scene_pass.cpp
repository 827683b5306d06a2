// The opening's 3D pass and the background pre-pass that feeds the sea its moon.
#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>

#include "core/random.h"
#include "scenes/kit/glow_picture.h"
#include "scenes/kit/scene_lights.h"
#include "scenes/kit/shots.h"
#include "scenes/opening/opening_stage.h"
#include "scenes/opening/opening_timeline.h"
#include "scenes/opening/part_begin.h"

namespace {

// Fixed seed of the drifting blots: the same sky every frame.
constexpr uint32_t blot_seed = 19770704;
constexpr int blot_count = 50;

}  // namespace

void part_begin::set_lights_and_water(double s) {
    // The moon shines from the light camera's side; a cold back light comes from behind the
    // subject and above it; the water is clearer near the surface and dense on the deep floor.
    const CameraRecord& moon = context_->light_camera;
    const bool deep = s > opening::world_change;
    set_scene_lights(
        {{moon.eye.x - moon.centre.x, moon.eye.y - moon.centre.y, moon.eye.z - moon.centre.z, 0.0f},
         {0.75f, 0.82f, 0.95f, 1.0f},
         {0.2f, 0.5f, -1.0f, 0.0f},
         {0.3f, 0.5f, 0.62f, 1.0f},
         {0.0f, deep ? 0.028f : 0.035f, deep ? 0.042f : 0.055f, 1.0f},
         deep ? 0.022f : 0.006f});
}

void part_begin::scene_pass(bool depth_mode) {
    const double s = state_.s;
    if (depth_mode) glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glViewport(0, 0, sizes_.render_width, sizes_.render_height);
    const auto clear = opening::clear_colour(s);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Both modes keep the view camera's lens; the depth mode looks from the light.
    CameraRecord camera = context_->view_camera;
    if (depth_mode) {
        camera.eye = context_->light_camera.eye;
        camera.centre = context_->light_camera.centre;
        camera.up = context_->light_camera.up;
    }
    apply_camera(camera);
    context_->reset_fixed_function_state();
    set_lights_and_water(s);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);

    // The depth pre-pass is the light's view of the stage (opening_windows.h says who is in it).
    const LitPass pass = depth_mode ? LitPass::light : LitPass::main;
    // The opaque groups nearest first: software GL does not shade what the depth test already
    // hides (the floor under the plinth and the figures, the landscape behind the tower, the sea
    // surface high above all of them).
    draw_figures(s, pass);
    draw_crowd(s, pass);
    draw_sea_floor(s, pass);
    draw_background(s, pass);
    draw_sea(s, pass);
    draw_bait_fish(s, pass);
    draw_plankton(s, pass);
    draw_bubble_swirl(s, pass);
    draw_bubble_column(s, pass);
    draw_billboards(s, pass);

    shaders_.disable_programs();
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    if (depth_mode) glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void part_begin::background_prepass() {
    const double s = state_.s;
    const int width = sizes_.quarter_width(), height = sizes_.quarter_height();
    // The moon's glow.
    begin_glow_picture(*context_, shaders_, prepass_slot, blob_slot, width, height, {1.0f, 0.7f, 0.5f});

    // Blots of cloud drifting across it, slowly, with the clock.
    seed_random(blot_seed);
    glColor3f(0.15f, 0.15f, 0.15f);
    for (int i = 0; i < blot_count; ++i) {
        const double x = random_unit() * 12.0 - 6.0;
        const double y = random_unit() * 12.0 - 6.0;
        const double speed = 0.05 + 0.1 * random_unit();
        const double drifted = std::fmod(x + 6.0 + speed * s, 12.0) - 6.0;
        glPushMatrix();
        glTranslated(drifted, y, 0.0);
        draw_screen_quad(0.0, 0.6, 0.6, false, 1.0f);
        glPopMatrix();
    }
    context_->resolve_render_target(1, width, height, 1, false);
    context_->bind_window_framebuffer();
    glDisable(GL_BLEND);
}
