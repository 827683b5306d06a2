#include "scenes/begin/part_begin.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

#include "scenes/begin/begin_programs.h"
#include "scenes/begin/begin_shots.h"
#include "scenes/begin/begin_stage.h"
#include "scenes/begin/begin_timeline.h"
#include "scenes/kit/pass_check.h"
#include "scenes/kit/scene_frame.h"
#include "scenes/kit/scene_textures.h"
#include "show/app_state.h"

namespace bt = begin::timeline;
namespace bp = begin::program;

namespace {

constexpr const char* shake_file = "Other//try1.sav";
constexpr int positions_texels = 1024;
// The shake track moves a few units over tens of seconds; the opening takes a small share of it
// so the camera breathes rather than drifts.
constexpr float shake_eye = 0.08f, shake_centre = 0.04f;
// The warm-up frame is covered by this clear.
constexpr float warm_up_clear[4] = {0.0f, 0.03f, 0.045f, 0.0f};

void repeat_bound_texture() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

}  // namespace

void part_begin::load(GraphicsContext* context) {
    context_ = context;
    const AppState& app = app_state();
    sizes_ = {app.render_width, app.render_height, app.window_width, app.window_height};

    shake_.load(shake_file);
    figures_[run] = std::make_unique<body>("neomeshes//avatar_run.bvh");
    figures_[walk] = std::make_unique<body>("neomeshes//avatar_walk.bvh");
    figures_[sit] = std::make_unique<body>("neomeshes//avatar_sit.bvh");
    figures_[throw_r] = std::make_unique<body>("neomeshes//avatar_throw_R.bvh");
    program_base_ = 0;

    context->create_render_texture(prepass_slot, sizes_.quarter_width(), sizes_.quarter_height(), false);
    context->progress(1.0);

    load_program_table(shaders_, *context, begin::programs, program_base_);
    for (int composite : {bp::composite, bp::composite_late})
        prepare_compose_copies(*context, shaders_, program_base_ + composite, opening_grading);

    create_chain_textures(*context, textures_, sizes_);
    create_float_texture_1d(*context, positions_slot, positions_texels, GL_CLAMP);
    attach_chain_textures(*context, textures_);
    clear_light_depth();

    context->load_normal_map("textures/noise.jpg", ripples_slot);
    context->load_jpeg_texture("textures/texturedblob.jpg", textured_blob_slot);
    context->progress(1.0);
    context->load_jpeg_texture("textures/blob41b.jpg", blob_slot);
    clamp_to_edge(*context, blob_slot);
    context->load_jpeg_texture("textures/53.jpg", fifty_three_slot);
    clamp_to_edge(*context, fifty_three_slot);
    context->load_jpeg_texture("textures/yeolde.jpg", yeolde_slot);
    clamp_to_edge(*context, yeolde_slot);
    context->load_jpeg_texture("textures/theclouds.jpg", clouds_slot);
    context->load_jpeg_texture("textures/blood.jpg", blood_slot);
    clamp_to_edge(*context, blood_slot);
    context->load_jpeg_texture("textures/turtle.jpg", turtle_slot);
    repeat_bound_texture();
    context->progress(1.0);
    const std::string night[6] = {"textures/1/1night_posx.jpg", "textures/1/1night_negx.jpg",
                                  "textures/1/1night_posy.jpg", "textures/1/1night_negy.jpg",
                                  "textures/1/1night_posz.jpg", "textures/1/1night_negz.jpg"};
    context->load_cube_map(night, night_slot);
    context->load_jpeg_texture("textures/bg10.jpg", bg_slot);
    context->load_jpeg_texture("textures/cloudt3.jpg", cloud_slot);
    context->progress(1.0);

    meshes_[sea_mesh].load("neomeshes//seaplane.obj", false);
    context->progress(1.0);
    context->progress(1.0);
    meshes_[floor_mesh].load("neomeshes//seafloor.obj", false);
    for (double step : {1.0, 1.0, 1.0, 2.0, 2.0}) context->progress(step);
    meshes_[crowd_mesh].load("neomeshes//manymen.obj", false);
    context->progress(2.0);
    meshes_[background_mesh].load("neomeshes//background2.obj", false);
    meshes_[skin_mesh].load("neomeshes//human4.obj", false);
    context->progress(2.0);
    meshes_[bait_mesh].alternate_file = false;
    meshes_[bait_mesh].load("neomeshes//fishbait22.obj", false);
    for (double step : {1.0, 1.0, 2.0}) context->progress(step);

    shake_.load(shake_file);
    start_state({});
}

void part_begin::clear_light_depth() {
    // The depth pre-pass only runs once the world has changed, but the sea samples the light's
    // depth from the start: the texture is created without data and the warm-up frame renders it
    // 60 s ahead. Far everywhere means nothing stands between the moon and the sea.
    context_->attach_depth_texture(0, textures_.prepass_depth);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    context_->attach_depth_texture(0, textures_.depth);
    context_->bind_window_framebuffer();
}

void part_begin::set_cameras(double s) {
    const Shot shot = begin::opening_shot(s);
    Vector3 eye = shot.eye, centre = shot.centre;
    if (shake_.size() >= 2) {
        const Vector3 sample = shake_.positions[shake_.sample_index(s, shake_offset)];
        eye = eye + sample * shake_eye;
        centre = centre + sample * shake_centre;
    }
    const double aspect = static_cast<double>(sizes_.render_width) / sizes_.render_height;
    // apply_camera steadies the up vector where the view runs along it.
    context_->view_camera = {eye, centre, shot.up, bt::scene_fov(s), aspect, 0.1, bt::scene_far(s)};

    // The moon: high above the water near the camera while the sea lasts, then above the stage.
    Vector3 light_eye, light_centre;
    if (s <= bt::world_change) {
        light_eye = {eye.x + 8.0f, eye.y - 60.0f, eye.z - 45.0f};
        light_centre = {eye.x, eye.y, eye.z - 20.0f};
    } else {
        const Vector3& c = begin::stage::stage_centre;
        light_eye = {c.x + 14.0f, c.y - 45.0f, c.z + 22.0f};
        light_centre = {c.x, c.y, c.z - 4.0f};
    }
    context_->light_camera = {light_eye, light_centre, {0.0f, 0.0f, -1.0f}, bt::projector_fov(s),
                              aspect,    0.1,          bt::scene_far(s)};
    projector_ = context_->light_camera;
    projector_.fov = bt::projector_fov(s);
    projector_.near_distance = 1.0;
    projector_.far_distance = 100.0;
}

void part_begin::advance(double frame_dt, FrameState& frame) {
    SceneFrame guard(frame, state_.frame);
    state_.s = state_.clock.advance(frame_dt);
    state_.frame.params[0] = state_.s;
    state_.frame.camera_x = static_cast<float>(state_.frame.camera_x);
    state_.frame.camera_y = static_cast<float>(state_.frame.camera_y);
}

void part_begin::render(GraphicsContext& context) {
    const double s = state_.s;
    const FrameState& frame = state_.frame;

    set_cameras(s);
    // Saved with the window bound, as it is again when they are restored (see part_loader).
    context.bind_window_framebuffer();
    glPushAttrib(GL_ALL_ATTRIB_BITS);

    // The sea samples the light's depth before the pre-pass writes it: far everywhere, nothing
    // stands between the moon and the sea. Cleared every such frame, so that no earlier frame's
    // depth (the warm-up's, a seek's) can show.
    if (!bt::depth_prepass(s)) clear_light_depth();
    if (bt::background_prepass(s)) background_prepass();
    check_pass("opening", "background pre-pass");
    render_scene_passes(context, textures_, sizes_, bt::depth_prepass(s),
                        [this](bool depth_mode) { scene_pass(depth_mode); });
    check_pass("opening", "scene passes");
    run_occlusion_combine(context, shaders_, program_base_ + bp::combine2, textures_, sizes_, s, projector_);
    check_pass("opening", "occlusion combine");
    if (bt::highlight_passes(s)) {
        const int quarter_w = sizes_.quarter_width(), quarter_h = sizes_.quarter_height();
        run_filter_passes(context, shaders_, program_base_ + bp::highlights, 1, 1, quarter_w, quarter_h,
                          textures_.colour, textures_.highlights);
        run_filter_passes(context, shaders_,
                          program_base_ + (bt::late_programs(s) ? bp::godrays2 : bp::godrays), 1, 1,
                          quarter_w, quarter_h, textures_.highlights, textures_.highlights);
        check_pass("opening", "highlight and shaft passes");
    }

    ComposeUniforms compose;
    compose.mode = opening_grading;
    compose.ttime = static_cast<float>(s);
    compose.pos_y = static_cast<float>(std::clamp(frame.camera_y, 0.0, 1.0));
    compose.limit = static_cast<float>(bt::composite_limit(s, frame.camera_z));
    compose.flo = static_cast<float>(bt::composite_flo(s));
    const auto blur = bt::composite_motion_blur(s);
    std::copy(blur.begin(), blur.end(), compose.motion_blur);
    compose.fade = static_cast<float>(bt::fade_level(s));
    compose.shafts = bt::highlight_passes(s);
    compose_to_window(context, shaders_,
                      program_base_ + (bt::late_programs(s) ? bp::composite_late : bp::composite), textures_,
                      sizes_, compose);
    set_overlay_state(context, textures_);
    check_pass("opening", "window compose");

    if (state_.clock.warming_up()) {
        glClearColor(warm_up_clear[0], warm_up_clear[1], warm_up_clear[2], warm_up_clear[3]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        clear_light_depth();
        // The overlay state expects the highlights texture bound on unit 0.
        context.bind_texture_slot(textures_.highlights);
    }

    glPopAttrib();
    glFlush();
}
