// The final scene's 3D pass: lens and camera, clear (the mirrored pass only where the ground
// shows), lights and fog, then the content groups in order, the sky last.
#include <GL/glew.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/easing.h"
#include "scenes/finale/finale_programs.h"
#include "scenes/finale/finale_stage.h"
#include "scenes/finale/finale_timeline.h"
#include "scenes/finale/finale_windows.h"
#include "scenes/finale/part_text.h"
#include "scenes/kit/kit.h"
#include "scenes/kit/quad_scissor.h"
#include "scenes/kit/screen_area.h"

void part_text::set_lights(double t) {
    // The moon shines from its side of the sky; a warm rim from behind the subject grows with
    // the dusk; far things sink into the night air, which turns black with the sky.
    const float dusk = static_cast<float>(eased_window(t, 45.8, 0.25));
    const float sky = static_cast<float>(finale::sky_level(t));
    set_scene_lights({{-0.35f, 0.62f, -0.7f, 0.0f},
                      {0.62f, 0.68f, 0.85f, 1.0f},
                      {0.3f, 0.4f, -1.0f, 0.0f},
                      {0.25f + 0.25f * dusk, 0.3f + 0.1f * dusk, 0.45f - 0.15f * dusk, 1.0f},
                      {(0.03f + 0.03f * dusk) * sky, 0.04f * sky, (0.08f - 0.04f * dusk) * sky, 1.0f},
                      0.012f});
}

float part_text::material_level(LitPass pass) const {
    // Everything lit goes down with the music at the very end, as the lettering does.
    return static_cast<float>((pass == LitPass::light ? 0.05 : 1.0) *
                              finale::ending_level(state_.frame.show_time));
}

void part_text::return_to_material1() {
    use_material(shaders_, *context_, finale::material1,
                 {{"texture2d_1", noise_slot},
                  {"texture2d_2", textures_.prepass_depth},
                  {"texture2d_3", bg10_slot},
                  {"texture2d_blob", blob_slot},
                  {"texture2d_texturedblob", textured_blob_slot},
                  {"texture2d_flower", tile_slot},
                  {"texture2d_reflection", textures_.second_output},
                  {"texture2d_paper", bg03_slot}});
}

void part_text::use_material1(LitPass pass, double t) {
    const int program = finale::material1;
    return_to_material1();
    shaders_.set_float(program, "ttime", static_cast<float>(t));
    shaders_.set_float(program, "MaterialMultiplier", material_level(pass));
    shaders_.set_float(program, "PosY", static_cast<float>(state_.frame.camera_y));
    shaders_.set_float(program, "isHappiness", 0.0f);
    shaders_.set_float(program, "isFish", 0.0f);
    shaders_.set_float(program, "ReflectPass", pass == LitPass::mirrored ? 1.0f : 0.0f);
    shaders_.set_float(program, "RedHot", 0.0f);
    shaders_.set_float(program, "isSide", 0.0f);
    for (const char* flag :
         {"isMoon", "isManRunning", "isBigTree", "isLeaf", "issmallFace", "Shatter", "BigTreeMovement"})
        shaders_.set_float(program, flag, 0.0f);
    shaders_.set_float(program, "ShadowLevel", pass == LitPass::light ? 0.0f : 1.0f);
    load_shadow_projector(shaders_, context_->light_camera);
}

bool part_text::hidden_from_pass(Vector3 low, Vector3 high) const {
    if (box_out_of_view(low, high, pass_modelview_, pass_projection_)) return true;
    if (pass_ != LitPass::light) return false;
    // The lamp's depth map is read one texel about the point looked up: grow the box by two
    // texels at its far side from the lamp.
    const CameraRecord& lamp = context_->light_camera;
    const float far_side = length((low + high) * 0.5f - lamp.eye) + length(high - low) * 0.5f;
    const float texel =
        static_cast<float>(2.0 * std::tan(lamp.fov * 0.5 * pi / 180.0) / sizes_.render_height);
    const float grow = 2.0f * texel * far_side;
    low = low - Vector3{grow, grow, grow};
    high = high + Vector3{grow, grow, grow};
    const Matrix4 mirrored = multiply(view_modelview_, {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    return shadow_out_of_view(low, high, lamp.eye, finale::shadow_floor, view_modelview_, view_projection_) &&
           shadow_out_of_view(low, high, lamp.eye, finale::shadow_floor, mirrored, view_projection_);
}

void part_text::scene_pass(LitPass pass) {
    const double t = state_.t;
    pass_ = pass;
    reflection_pass_ = pass == LitPass::mirrored;
    glViewport(0, 0, sizes_.render_width, sizes_.render_height);
    // Both cameras carry the scene pass's lens (set_cameras).
    apply_camera(pass == LitPass::light ? context_->light_camera : context_->view_camera);
    // Only the wet ground reads the mirrored picture, at its own pixels moved by its ripples (at
    // most 0.006 of the picture); one more pixel for the linear filter and one for rounding.
    std::optional<QuadScissor> to_ground;
    if (reflection_pass_) {
        using namespace finale;
        const int w = sizes_.render_width, h = sizes_.render_height;
        to_ground.emplace(level_quad(ground_from_x, ground_from_z, ground_to_x, ground_to_z, 0.0f), w, h,
                          static_cast<int>(std::ceil(0.006 * std::max(w, h))) + 2);
    }
    const auto clear = finale::clear_colour(t);
    glClearColor(clear[0], clear[1], clear[2], 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    context_->reset_fixed_function_state();
    set_lights(t);
    // The mirrored pass sees the world upside down through the wet ground (the plane y = 0).
    // The mirror turns the winding round: keep front faces front, so lighting sees the same side.
    if (reflection_pass_) {
        glScalef(1.0f, -1.0f, 1.0f);
        glFrontFace(GL_CW);
    }
    glGetFloatv(GL_MODELVIEW_MATRIX, pass_modelview_.data());
    glGetFloatv(GL_PROJECTION_MATRIX, pass_projection_.data());
    view_modelview_ = camera_modelview(context_->view_camera);
    view_projection_ = camera_projection(context_->view_camera);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);

    // The credits material hears of the credits from 105 on, long before it draws them.
    shaders_.use_program(finale::material3);
    shaders_.set_float(finale::material3, "isCredits", t > finale::credits_material_after ? 1.0f : 0.0f);
    use_material1(pass, t);
    draw_ground(pass, t);
    draw_ants(t);
    draw_tubes(t);
    draw_wall(t);
    draw_figures(t);
    draw_house(pass, t);
    draw_moon(t);
    draw_tree(t);
    draw_diver(t);
    draw_faces(pass, t);
    draw_backdrop(t);
    draw_credits(t);
    draw_layers(t);
    draw_sky(t);

    shaders_.disable_programs();
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glFrontFace(GL_CCW);
    reflection_pass_ = false;
}
