#include "scenes/middle/part_middle.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstddef>

#include "scenes/kit/pass_check.h"
#include "scenes/kit/program_table.h"
#include "scenes/kit/scene_frame.h"
#include "scenes/kit/shadow_projector.h"
#include "scenes/middle/middle_programs.h"
#include "scenes/middle/middle_shots.h"
#include "scenes/middle/middle_timeline.h"
#include "scenes/middle/middle_windows.h"
#include "scenes/middle/slab_loading.h"
#include "show/app_state.h"

namespace mw = middle;

namespace {

constexpr const char* figure_file = "neomeshes//avatar_run.bvh";
constexpr const char* shake_file = "Other//try1.sav";
constexpr int space_key = 32;

struct MeshRow {
    const char* file;
    double progress_after;
};
// In load order, with the loading screen's weights after some of them.
constexpr MeshRow mesh_rows[part_middle::mesh_count] = {
    {"neomeshes//obj1.obj", 0},     {"neomeshes//ant.obj", 0},     {"neomeshes//human4.obj", 1},
    {"neomeshes//kolones.obj", 0},  {"neomeshes//forks.obj", 1},   {"neomeshes//circle.obj", 0},
    {"neomeshes//theplane.obj", 0}, {"neomeshes//thelong.obj", 2}, {"neomeshes//thecity1.obj", 0},
    {"neomeshes//transf1.obj", 0},  {"neomeshes//tstar.obj", 0},
};

void clamp_texture(GraphicsContext& context, int slot) {
    context.bind_texture_slot(slot);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

}  // namespace

part_middle::part_middle() : extrusion_workers(mw::extrusion_threads()) {}

void part_middle::load(GraphicsContext* context) {
    context_ = context;
    const AppState& app = app_state();
    sizes_ = {app.render_width, app.render_height, app.window_width, app.window_height};

    figure_ = std::make_unique<body>(figure_file);
    load_program_table(shaders_, *context, mw::programs);
    prepare_compose_copies(*context, shaders_, mw::compose, middle_grading);

    load_slabs();

    create_chain_textures(*context, textures_, sizes_);
    for (int slot : {textures_.random_vectors, textures_.colour, textures_.highlights,
                     textures_.second_output, textures_.velocities, textures_.depth, textures_.prepass_depth})
        clamp_texture(*context, slot);
    attach_chain_textures(*context, textures_);
    context->load_normal_map("textures/noise.jpg", noise_slot);
    context->load_jpeg_texture("textures/blob41b.jpg", blob_slot);
    clamp_texture(*context, blob_slot);
    context->load_jpeg_texture("textures/paper.jpg", paper_slot);
    context->load_jpeg_texture("textures/texturedblob.jpg", textured_blob_slot);
    context->load_jpeg_texture("textures/bg10.jpg", background_slot);
    context->bind_window_framebuffer();
    context->progress(1.0);

    for (int m = 0; m < mesh_count; ++m) {
        meshes_[m].load(mesh_rows[m].file, false);
        if (mesh_rows[m].progress_after > 0) context->progress(mesh_rows[m].progress_after);
    }

    figure_ = std::make_unique<body>(figure_file);
    shake_track_.load(shake_file);
    state_ = State{};
    state_.ropes.create();
    context->progress(1.0);
    state_.clock.reset(0.0);
    loaded_state_ = state_;
}

void part_middle::load_slabs() {
    const std::vector<mw::SlabJob> jobs = mw::slab_jobs();
    mw::build_slabs(
        jobs, extrusion_workers,
        [&](std::size_t i) {
            if (jobs[i].progress_before > 0) context_->progress(jobs[i].progress_before);
        },
        [&](std::size_t i, mw::SlabResult& result) {
            const mw::SlabJob& job = jobs[i];
            ContourExtruder::compile(result.slab, job.list);
            if (job.sequence_frame) {
                markers_[(job.list - mw::sequence_list_base) / mw::lists_per_slab] = result.marker;
                ContourExtruder::compile(result.edges, job.list + mw::edge_list_offset);
            }
            if (job.progress_after > 0) context_->progress(job.progress_after);
        });
}

void part_middle::set_cameras(double t) {
    const double aspect = static_cast<double>(sizes_.render_width) / sizes_.render_height;
    const double fov = mw::field_of_view(t);
    const Shot view = mw::view_shot(t);
    context_->view_camera = {view.eye, view.centre, steady_up(view), fov, aspect, 0.2, 1500.0};
    // The light pass renders with the scene pass's lens, so the shadow lookup uses the same.
    const Shot light = mw::light_shot(t);
    context_->light_camera = {light.eye, light.centre, steady_up(light), fov, aspect, 0.2, 1500.0};

    const Vector3 sample = shake_track_.sample(t, mw::shake_offset(t));
    const double gain = 0.006 * mw::shake_gain(t);
    shake_[0] = gain * sample.x;
    shake_[1] = gain * sample.y;
}

void part_middle::advance(double frame_dt, FrameState& frame) {
    SceneFrame guard(frame, state_.frame);
    const double t = state_.clock.advance(frame_dt, state_.frame.flash, state_.frame.previous_flash);
    state_.t = t;
    // The ropes move in show seconds, once per frame.
    if (mw::rope_field.holds(t)) state_.ropes.step_field(t, frame_dt);
    if (mw::single_rope.holds(t)) state_.ropes.step_single(t, frame_dt);
    state_.frame.params[0] = state_.clock.value();
}

void part_middle::render(GraphicsContext& context) {
    const double t = state_.t;
    if (state_.frame.key_state[space_key])
        for (mw::ProgramSlot slot : mw::developer_reload)
            for (const ProgramEntry& entry : mw::programs)
                if (entry.slot == slot) load_program_entry(shaders_, context, entry);

    set_cameras(t);
    context.bind_window_framebuffer();
    glPushAttrib(GL_ALL_ATTRIB_BITS);

    render_lit_scene_passes(context, textures_, sizes_, true, false,
                            [this](LitPass pass) { scene_pass(pass == LitPass::light); });
    check_pass("middle scene", "light and main passes");

    CameraRecord projector = context.view_camera;
    projector.fov = 60.0;
    projector.near_distance = 1.0;
    projector.far_distance = 1500.0;
    run_occlusion_combine(context, shaders_, mw::combine, textures_, sizes_, t, projector,
                          static_cast<float>(mw::ssao_factor(t)));
    check_pass("middle scene", "occlusion pass");

    compose(t);
    check_pass("middle scene", "window pass");

    glPopAttrib();
    glFlush();
}

void part_middle::compose(double t) {
    ComposeUniforms u;
    u.mode = middle_grading;
    u.ttime = static_cast<float>(t);
    u.limit = static_cast<float>(mw::blur_amount(t));
    u.dsp = state_.frame.spectrum[5];
    u.is_middle_scene = mw::is_middle_scene;
    u.which_blur = 1.0f;
    u.set_blur = mw::set_blur(t);
    const double streak = 0.033 * mw::motion_blur_weight(t);
    u.motion_blur[0] = static_cast<float>(shake_[0] * streak);
    u.motion_blur[1] = static_cast<float>(shake_[1] * streak);
    u.fade = static_cast<float>(mw::grey_value(t));
    u.shafts = false;
    u.random = true;
    compose_to_window(*context_, shaders_, mw::compose, textures_, sizes_, u);
}

void part_middle::set_shadow_matrix() {
    // Two materials take the projector as a uniform as well.
    const Matrix4 shadow = load_shadow_projector(shaders_, context_->light_camera);
    for (int program : {mw::material2, mw::material3}) {
        shaders_.use_program(program);
        shaders_.set_matrix4(program, "ShadowMat", shadow.data());
        // The same units as the general material's samplers (bound in scene_pass).
        shaders_.set_int(program, "texture2d_2", 1);
        shaders_.set_int(program, "texture2d_paper", 5);
        shaders_.set_float(program, "ttime", static_cast<float>(state_.t));
    }
}

void part_middle::scene_pass(bool from_light) {
    const double t = state_.t;
    const double aspect = static_cast<double>(sizes_.render_width) / sizes_.render_height;
    glViewport(0, 0, sizes_.render_width, sizes_.render_height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(mw::field_of_view(t), aspect, 0.2, 1500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    if (t > mw::warm_clear_from)
        glClearColor(1.0f, 0.9f, 0.75f, 0.0f);
    else
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    shaders_.use_program(mw::material1);
    shaders_.set_float(mw::material1, "IsAnt", 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const CameraRecord& camera = from_light ? context_->light_camera : context_->view_camera;
    gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.centre.x, camera.centre.y, camera.centre.z,
              camera.up.x, camera.up.y, camera.up.z);
    context_->reset_fixed_function_state();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_CULL_FACE);
    const GLfloat lamp[4] = {context_->light_camera.eye.x, context_->light_camera.eye.y,
                             context_->light_camera.eye.z, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lamp);

    set_shadow_matrix();

    const int p = mw::material1;
    shaders_.use_program(p);
    shaders_.set_float(p, "MaterialMultiplier", from_light ? 0.05f : 1.0f);
    shaders_.set_float(p, "PosY", static_cast<float>(state_.frame.camera_y));
    shaders_.set_float(p, "ScaleDown", static_cast<float>(mw::scale_down(t)));
    shaders_.set_float(p, "LightDown", static_cast<float>(mw::light_down(t)));
    const int samplers[8] = {
        noise_slot, textures_.prepass_depth, background_slot, chess_slot, textures_.second_output,
        paper_slot, textured_blob_slot,      blob_slot};
    const char* names[8] = {"texture2d_1",
                            "texture2d_2",
                            "texture2d_3",
                            "texture2d_chess",
                            "texture2d_reflection",
                            "texture2d_paper",
                            "texture2d_texturedblob",
                            "texture2d_blob"};
    for (int unit = 0; unit < 8; ++unit)
        shaders_.bind_texture_uniform(GL_TEXTURE_2D, unit, p, names[unit],
                                      context_->texture_name(samplers[unit]));
    glActiveTexture(GL_TEXTURE0);
    shaders_.set_float(p, "ttime", static_cast<float>(t));

    draw_backdrop(t, from_light);
    draw_city(t);
    draw_sky(t);
    draw_sea(t);
    draw_ropes(t);
    draw_sequence_figure(t);
    draw_strands(t);
    draw_temple(t);
    draw_crowd(t);
    draw_ants(t);
    draw_people_row(t, from_light);

    shaders_.disable_programs();
}
