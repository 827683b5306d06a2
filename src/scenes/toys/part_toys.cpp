#include "scenes/toys/part_toys.h"

#include <GL/glew.h>

#include <string>

#include "platform/virtual_keys.h"
#include "scenes/kit/mesh_files.h"
#include "scenes/kit/pass_check.h"
#include "scenes/kit/program_table.h"
#include "scenes/kit/scene_frame.h"
#include "scenes/kit/scene_textures.h"
#include "scenes/kit/shots.h"
#include "scenes/toys/toys_programs.h"
#include "scenes/toys/toys_shots.h"
#include "scenes/toys/toys_timeline.h"
#include "scenes/toys/toys_windows.h"

namespace {

constexpr const char* shake_file = "Other//try1.sav";
constexpr double field_of_view = 60.0, near_plane = 1.0, far_plane = 1500.0;

}  // namespace

void part_toys::load(GraphicsContext* context) {
    using M = part_toys;
    context_ = context;
    sizes_ = current_sizes();

    context->progress(1.0);
    load_program_table(shaders_, *context, toys::programs);

    create_chain_textures(*context, textures_, sizes_);
    clamp_to_edge(*context, textures_.random_vectors);
    clamp_and_attach_chain(*context, textures_);
    context->bind_window_framebuffer();
    context->load_normal_map("textures/noise.jpg", noise_slot);
    context->load_jpeg_texture("textures/blob41b.jpg", blob_slot);
    context->load_jpeg_texture("textures/chessboard.jpg", chess_slot);
    const std::string night[6] = {"textures/1/1night_posx.jpg", "textures/1/1night_negx.jpg",
                                  "textures/1/1night_posy.jpg", "textures/1/1night_negy.jpg",
                                  "textures/1/1night_posz.jpg", "textures/1/1night_negz.jpg"};
    context->load_cube_map(night, night_slot);
    context->progress(1.0);
    context->load_jpeg_texture("textures/paper.jpg", paper_slot);
    context->load_jpeg_texture("textures/texturedblob.jpg", textured_blob_slot);
    context->load_jpeg_texture("textures/bg10.jpg", bg_slot);

    const MeshFileBatch batches[] = {
        {{{M::chess_mesh, "neomeshes//chess.obj"}}, {1.0}},
        {{{M::skin_mesh, "neomeshes//human4.obj"},
          {M::coarse_skin_mesh, "neomeshes//human4coarse.obj"},
          {M::vehicle1_mesh, "neomeshes//vehicle1.obj"}},
         {1.0}},
        {{{M::vehicle2_mesh, "neomeshes//vehicle2.obj"}}, {1.0}},
        {{{M::vehicle3_mesh, "neomeshes//vehicle3.obj"}}, {2.0}},
        {{{M::pavement_mesh, "neomeshes//pavement.obj"}, {M::tree_mesh, "neomeshes//tree.obj"}}, {2.0}},
        {{{M::ford_mesh, "neomeshes//ford.obj"},
          {M::wires_mesh, "neomeshes//wires.obj"},
          {M::labyrinth_mesh, "neomeshes//labyrinth.obj"},
          {M::tank_mesh, "neomeshes//tank2.obj"}},
         {3.0}},
        {{{M::sea_mesh, "neomeshes//sea.obj"}, {M::bridge_mesh, "neomeshes//thebridge.obj"}}, {2.0}},
        {{{M::transf1_mesh, "neomeshes//transf1.obj"},
          {M::transf1a_mesh, "neomeshes//transf1a.obj"},
          {M::transf3_mesh, "neomeshes//transf3.obj"}},
         {2.0}},
        {{{M::box_mesh, "neomeshes//box.obj"}, {M::cylinder_mesh, "neomeshes//cylinder2.obj"}}, {1.0}},
    };
    context->progress(1.0);
    load_mesh_files(*context, meshes_, batches);

    figures_[push] = std::make_unique<body>("neomeshes//avatar_push.bvh");
    figures_[walk] = std::make_unique<body>("neomeshes//avatar_walk.bvh");
    figures_[run] = std::make_unique<body>("neomeshes//avatar_run.bvh");
    figures_[run2] = std::make_unique<body>("neomeshes//avatar_run2.bvh");
    toys::State start;
    start.clock.reset();
    start_state(start);
    shake_.load(shake_file);
    for (const ProgramEntry& entry : toys::replacements) load_program_entry(shaders_, *context, entry);
    prepare_compose_copies(*context, shaders_, toys::compose, toys_grading);
    specks_.reserve(toys::swarm_count);
}

void part_toys::resize(GraphicsContext& context) { resize_chain(context, textures_, sizes_); }

void part_toys::set_cameras(double t) {
    const double aspect = static_cast<double>(sizes_.render_width) / sizes_.render_height;
    const Shot orbit = toys::orbit_shot(state_.frame.camera_x, state_.frame.camera_y, state_.frame.camera_z);
    const Shot view = toys::view_shot(t, orbit);
    context_->view_camera = {view.eye, view.centre, view.up, field_of_view, aspect, near_plane, far_plane};
    // The shake track is read as the show always has, but the toys keep a still camera.
    if (shake_.size() >= 2) {
        const Vector3 shake = shake_.sample(t, t >= 73.0 ? late_shake_offset : shake_offset);
        context_->view_camera.eye = context_->view_camera.eye + shake * 0.0f;
    }
    context_->light_camera = {toys::light_eye(t, context_->view_camera.eye),
                              {Vector3::ordinary, 0.0f, 0.0f, 0.0f},
                              {Vector3::ordinary, 0.0f, 1.0f, 0.0f},
                              field_of_view,
                              aspect,
                              near_plane,
                              far_plane};
}

void part_toys::advance(double frame_dt, FrameState& frame) {
    SceneFrame guard(frame, state_.frame);
    state_.t = state_.clock.advance(frame_dt, state_.frame.flash, state_.frame.previous_flash);
    state_.frame.params[0] = state_.clock.value();
}

void part_toys::render(GraphicsContext& context) {
    const double t = state_.t;

    if (state_.frame.key_state[key_space])
        for (const ProgramEntry& entry : toys::space_reload) load_program_entry(shaders_, context, entry);

    const ComposeUniforms composed = toys::compose_uniforms(t, state_.frame.spectrum[5]);
    if (composed_black(context, composed)) {
        show_black_window(sizes_);
        return;
    }

    // Saved with the window bound, as it is again when they are restored.
    context.bind_window_framebuffer();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    set_cameras(t);

    render_lit_scene_passes(context, textures_, sizes_, true, toys::mirrored_pass_window.holds(t),
                            [this, t](LitPass pass) {
                                reflection_pass_ = pass == LitPass::mirrored;
                                if (toys::tank_section(t))
                                    tank_pass(pass);
                                else
                                    scene_pass(pass);
                                check_pass("toys", pass == LitPass::light      ? "light pass"
                                                   : pass == LitPass::mirrored ? "mirrored pass"
                                                                               : "main pass");
                            });
    reflection_pass_ = false;
    copy_scene_colour(context, textures_, sizes_);

    CameraRecord projector = context.view_camera;
    run_occlusion_combine(context, shaders_, toys::combine, textures_, sizes_, t, projector,
                          OcclusionSamples::filtered, static_cast<float>(toys::ssao_factor(t)));
    check_pass("toys", "occlusion combine");

    compose_to_window(context, shaders_, toys::compose, textures_, sizes_, composed);
    check_pass("toys", "window compose");

    glPopAttrib();
    glFlush();
}
