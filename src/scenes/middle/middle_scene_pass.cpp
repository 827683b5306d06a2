// The middle scene's 3D pass, drawn once from the light (the shadow map) and once from the view:
// lens and clear, camera, the general material's values and samplers, then the content groups.
#include <GL/glew.h>

#include "scenes/kit/material_binding.h"
#include "scenes/kit/shadow_projector.h"
#include "scenes/kit/shots.h"
#include "scenes/middle/middle_programs.h"
#include "scenes/middle/middle_timeline.h"
#include "scenes/middle/middle_windows.h"
#include "scenes/middle/part_middle.h"

void part_middle::set_shadow_matrix() {
    // Two materials take the projector as a uniform as well.
    const Matrix4 shadow = load_shadow_projector(shaders_, context_->light_camera);
    for (int program : {middle::material2, middle::material3}) {
        use_material(shaders_, *context_, program, {});
        shaders_.set_matrix4(program, "ShadowMat", shadow.data());
        // The same units as the general material's samplers (bind_material_samplers).
        shaders_.set_int(program, "texture2d_2", 1);
        shaders_.set_int(program, "texture2d_paper", 5);
        shaders_.set_float(program, "ttime", static_cast<float>(state_.t));
    }
}

void part_middle::bind_material_samplers() {
    // Units 0-7 in this order; the two other materials read units 1 and 5 as well. In the light
    // pass, where colour is masked, use_material makes each material's depth-only copy current,
    // so every value set after it reaches the program the content groups draw with.
    const SamplerBinding samplers[8] = {
        {"texture2d_1", noise_slot},
        {"texture2d_2", textures_.prepass_depth},
        {"texture2d_3", background_slot},
        {"texture2d_chess", chess_slot},
        {"texture2d_reflection", textures_.second_output},
        {"texture2d_paper", paper_slot},
        {"texture2d_texturedblob", textured_blob_slot},
        {"texture2d_blob", blob_slot},
    };
    for (int unit = 0; unit < 8; ++unit)
        shaders_.bind_texture_uniform(samplers[unit].target, unit, middle::material1, samplers[unit].sampler,
                                      context_->texture_name(samplers[unit].texture_slot));
    glActiveTexture(GL_TEXTURE0);
}

void part_middle::scene_pass(LitPass pass) {
    const double t = state_.t;
    const bool from_light = pass == LitPass::light;
    pass_ = pass;
    glViewport(0, 0, sizes_.render_width, sizes_.render_height);
    if (t > middle::warm_clear_from)
        glClearColor(1.0f, 0.9f, 0.75f, 0.0f);
    else
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    use_material(shaders_, *context_, middle::material1, {});
    shaders_.set_float(middle::material1, "IsAnt", 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // Both cameras carry the scene pass's lens (set_cameras).
    apply_camera(from_light ? context_->light_camera : context_->view_camera);
    context_->reset_fixed_function_state();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_CULL_FACE);
    const GLfloat lamp[4] = {context_->light_camera.eye.x, context_->light_camera.eye.y,
                             context_->light_camera.eye.z, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lamp);

    set_shadow_matrix();

    const int p = middle::material1;
    use_material(shaders_, *context_, p, {});
    shaders_.set_float(p, "MaterialMultiplier", from_light ? 0.05f : 1.0f);
    shaders_.set_float(p, "PosY", static_cast<float>(state_.frame.camera_y));
    shaders_.set_float(p, "ScaleDown", static_cast<float>(middle::scale_down(t)));
    shaders_.set_float(p, "LightDown", static_cast<float>(middle::light_down(t)));
    bind_material_samplers();
    shaders_.set_float(p, "ttime", static_cast<float>(t));

    draw_backdrop(t);
    draw_city(t);
    draw_sky(t);
    draw_sea(t);
    draw_ropes(t);
    draw_sequence_figure(t);
    draw_strands(t);
    draw_temple(t);
    draw_crowd(t);
    draw_ants(t);
    draw_people_row(t);

    shaders_.disable_programs();
}
