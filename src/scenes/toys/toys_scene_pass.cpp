// The two scene passes of the toys scene: the general one (t < 73 and t >= 89) and the tank
// section's (73 <= t < 89). Both draw into whatever target the chain has bound.
#include <GL/glew.h>

#include <optional>

#include "scenes/kit/material_binding.h"
#include "scenes/kit/quad_scissor.h"
#include "scenes/kit/screen_area.h"
#include "scenes/kit/shots.h"
#include "scenes/toys/part_toys.h"
#include "scenes/toys/toys_chess.h"
#include "scenes/toys/toys_programs.h"
#include "scenes/toys/toys_timeline.h"
#include "scenes/toys/toys_windows.h"

namespace {

constexpr float general_clear[4] = {0.0f, 0.03f, 0.08f, 0.0f};
constexpr float mirrored_clear[4] = {0.02f, 0.04f, 0.08f, 0.0f};
constexpr float black[4] = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr double black_sky_after = 103.0;
constexpr double tank_near = 0.2;
// The mirrored pass keeps only what lies below the board's top: mirrored things that would rise
// above it (the board's own mirrored body, the figures' feet) must not cover the reflection.
constexpr double mirror_plane[4] = {0.0, -1.0, 0.0, -1.81};

}  // namespace

void part_toys::begin_pass(LitPass pass, double near, const float clear[4]) {
    glViewport(0, 0, sizes_.render_width, sizes_.render_height);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    CameraRecord camera = pass == LitPass::light ? context_->light_camera : context_->view_camera;
    camera.near_distance = near;
    apply_camera(camera);
    context_->reset_fixed_function_state();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_CULL_FACE);
    load_eye_to_world();
    if (pass == LitPass::mirrored) {
        glClipPlane(GL_CLIP_PLANE0, mirror_plane);
        glEnable(GL_CLIP_PLANE0);
    } else {
        glDisable(GL_CLIP_PLANE0);
    }
}

void part_toys::load_eye_to_world() {
    Matrix4 view;
    glGetFloatv(GL_MODELVIEW_MATRIX, view.data());
    eye_to_world_ = invert_rigid(view);
    glActiveTexture(GL_TEXTURE3);
    glMatrixMode(GL_TEXTURE);
    glLoadMatrixf(eye_to_world_.data());
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_MODELVIEW);
}

void part_toys::load_light_projector() const {
    shaders_.set_projector_matrix(context_->light_camera);
    glMatrixMode(GL_MODELVIEW);
}

void part_toys::use_general_material() {
    const double t = state_.t;
    use_material(shaders_, *context_, toys::general,
                 {{"texture2d_1", noise_slot},
                  {"texture2d_2", textures_.prepass_depth},
                  {"texture2d_3", bg_slot},
                  {"texture2d_blob", blob_slot},
                  {"texture2d_texturedblob", textured_blob_slot},
                  {"texture2d_chess", chess_slot},
                  {"texture2d_reflection", textures_.second_output},
                  {"texture2d_paper", paper_slot}});
    const float camera_y = static_cast<float>(state_.frame.camera_y);
    shaders_.set_float(toys::general, "PosY", camera_y);
    shaders_.set_float(toys::general, "PP", camera_y);
    shaders_.set_float(toys::general, "TheFog", static_cast<float>(toys::fog_level(t)));
    shaders_.set_float(toys::general, "shadowlevel", static_cast<float>(toys::shadow_level(t)));
    shaders_.set_float(toys::general, "running", static_cast<float>(toys::running(t)));
    load_light_projector();
}

void part_toys::use_toy_program(int program) {
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", noise_slot},
                  {"texture2d_2", textures_.prepass_depth},
                  {"texture2d_3", bg_slot},
                  {"texture2d_blob", blob_slot},
                  {"texture2d_texturedblob", textured_blob_slot},
                  {"texture2d_paper", paper_slot}},
                 "ttime", state_.t);
    load_light_projector();
}

void part_toys::scene_pass(LitPass pass) {
    const double t = state_.t;
    const float* clear = t > black_sky_after         ? black
                         : pass == LitPass::mirrored ? mirrored_clear
                                                     : general_clear;
    begin_pass(pass, 1.0, clear);
    // Only the board's top reads the mirrored picture, at its own pixels; one more pixel for
    // the linear filter and one for rounding.
    std::optional<QuadScissor> to_board;
    if (pass == LitPass::mirrored) {
        using toys::board_top, toys::board_half;
        to_board.emplace(level_quad(-board_half, -board_half, board_half, board_half, board_top),
                         sizes_.render_width, sizes_.render_height, 2);
    }
    use_general_material();

    if (toys::ground_window.drawn(pass, t)) draw_ground();
    draw_chess(pass);
    draw_crowd(pass);
    draw_onlookers(pass);
    draw_hatchback(pass);
    draw_car_waves(pass);
    if (toys::tank_window.drawn(pass, t)) draw_tank(false);
    draw_wires(pass);
    draw_runners(pass);
    draw_old_car(pass);
    draw_plates(pass);
    // The toys stand on the bridge, the bridge over the sea: drawn nearest first, so that the
    // sea's costly pixels behind them are never shaded.
    if (toys::toys_shown(t) && (toys::toys_passes & drawn_in_bit(pass))) draw_toys(pass);
    if (toys::sea_shown(t) && (toys::sea_passes & drawn_in_bit(pass))) draw_sea_and_bridge(pass);

    shaders_.disable_programs();
    draw_particles(pass);
    glDisable(GL_CLIP_PLANE0);
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
}

void part_toys::tank_pass(LitPass pass) {
    begin_pass(pass, tank_near, black);
    use_general_material();
    draw_tank(true);
    draw_maze(pass);
    shaders_.disable_programs();
    glDisable(GL_CLIP_PLANE0);
    glActiveTexture(GL_TEXTURE0);
}
