#include "scenes/opening/part_begin.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

#include "scenes/kit/mesh_files.h"
#include "scenes/kit/pass_check.h"
#include "scenes/kit/scene_frame.h"
#include "scenes/kit/scene_textures.h"
#include "scenes/opening/opening_programs.h"
#include "scenes/opening/opening_shots.h"
#include "scenes/opening/opening_stage.h"
#include "scenes/opening/opening_timeline.h"

namespace {

constexpr const char* shake_file = "Other//try1.sav";
constexpr int positions_texels = 1024;
// The shake track moves a few units over tens of seconds; the opening takes a small share of it
// so the camera breathes rather than drifts.
constexpr float shake_eye = 0.08f, shake_centre = 0.04f;
// The warm-up frame is covered by this clear.
constexpr float warm_up_clear[4] = {0.0f, 0.03f, 0.045f, 0.0f};

// In the order of part_begin::Figure.
constexpr const char* figure_clips[4] = {"neomeshes//avatar_run.bvh", "neomeshes//avatar_walk.bvh",
                                         "neomeshes//avatar_sit.bvh", "neomeshes//avatar_throw_R.bvh"};

// The image textures in load order, each batch followed by the loading screen's step. Turtle,
// "53" and "yeolde" are not drawn, but a missing or broken one still ends the show at start-up
// as every picture of the show does.
enum class Image { picture, normal_map, night_sky };
enum class Wrap { as_loaded, clamped, repeating };
struct TextureLoad {
    int slot;
    const char* file;
    Image kind = Image::picture;
    Wrap wrap = Wrap::as_loaded;
};
struct TextureFiles {
    std::initializer_list<TextureLoad> textures;
    double progress_after;
};
const std::string night_sky[6] = {"textures/1/1night_posx.jpg", "textures/1/1night_negx.jpg",
                                  "textures/1/1night_posy.jpg", "textures/1/1night_negy.jpg",
                                  "textures/1/1night_posz.jpg", "textures/1/1night_negz.jpg"};

void load_texture(GraphicsContext& context, const TextureLoad& t) {
    switch (t.kind) {
        case Image::normal_map:
            context.load_normal_map(t.file, t.slot);
            break;
        case Image::night_sky:
            context.load_cube_map(night_sky, t.slot);
            break;
        case Image::picture:
            context.load_jpeg_texture(t.file, t.slot);
            break;
    }
    if (t.wrap == Wrap::clamped) clamp_to_edge(context, t.slot);
    if (t.wrap == Wrap::repeating) {
        context.bind_texture_slot(t.slot);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    }
}

}  // namespace

void part_begin::load(GraphicsContext* context) {
    using P = part_begin;
    context_ = context;
    sizes_ = current_sizes();

    shake_.load(shake_file);
    for (int figure : {run, walk, sit, throw_r})
        figures_[figure] = std::make_unique<body>(figure_clips[figure]);
    program_base_ = 0;

    context->create_render_texture(prepass_slot, sizes_.quarter_width(), sizes_.quarter_height(), false);
    context->progress(1.0);

    load_program_table(shaders_, *context, opening::programs, program_base_);
    for (int composite : {opening::composite_program, opening::composite_late_program})
        prepare_compose_copies(*context, shaders_, program_base_ + composite, opening_grading);

    create_chain_textures(*context, textures_, sizes_);
    create_float_texture_1d(*context, positions_slot, positions_texels, GL_CLAMP);
    attach_chain_textures(*context, textures_);
    clear_light_depth();

    const TextureFiles textures[] = {
        {{{P::ripples_slot, "textures/noise.jpg", Image::normal_map},
          {P::textured_blob_slot, "textures/texturedblob.jpg"}},
         1.0},
        {{{P::blob_slot, "textures/blob41b.jpg", Image::picture, Wrap::clamped},
          {P::fifty_three_slot, "textures/53.jpg", Image::picture, Wrap::clamped},
          {P::yeolde_slot, "textures/yeolde.jpg", Image::picture, Wrap::clamped},
          {P::clouds_slot, "textures/theclouds.jpg"},
          {P::blood_slot, "textures/blood.jpg", Image::picture, Wrap::clamped},
          {P::turtle_slot, "textures/turtle.jpg", Image::picture, Wrap::repeating}},
         1.0},
        {{{P::night_slot, nullptr, Image::night_sky},
          {P::bg_slot, "textures/bg10.jpg"},
          {P::cloud_slot, "textures/cloudt3.jpg"}},
         1.0},
    };
    for (const TextureFiles& batch : textures) {
        for (const TextureLoad& texture : batch.textures) load_texture(*context, texture);
        context->progress(batch.progress_after);
    }

    const MeshFileBatch meshes[] = {
        {{{P::sea_mesh, "neomeshes//seaplane.obj"}}, {1.0, 1.0}},
        {{{P::floor_mesh, "neomeshes//seafloor.obj"}}, {1.0, 1.0, 1.0, 2.0, 2.0}},
        {{{P::crowd_mesh, "neomeshes//manymen.obj"}}, {2.0}},
        {{{P::background_mesh, "neomeshes//background2.obj"},
          {P::skin_mesh, "neomeshes//human4.obj"},
          {P::coarse_skin_mesh, "neomeshes//human4coarse.obj"}},
         {2.0}},
        {{{P::bait_mesh, "neomeshes//fishbait22.obj", false}}, {1.0, 1.0, 2.0}},
    };
    load_mesh_files(*context, meshes_, meshes);
    start_state({});
}

void part_begin::resize(GraphicsContext& context) {
    // The opening's chain keeps the graphics library's default wrap, as at load.
    sizes_ = current_sizes();
    context.create_render_texture(prepass_slot, sizes_.quarter_width(), sizes_.quarter_height(), false);
    create_sized_chain_textures(context, textures_, sizes_);
    attach_chain_textures(context, textures_);
    context.bind_window_framebuffer();
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
    const Shot shot = opening::view_shot(s);
    Vector3 eye = shot.eye, centre = shot.centre;
    if (shake_.size() >= 2) {
        const Vector3 sample = shake_.positions[shake_.sample_index(s, shake_offset)];
        eye = eye + sample * shake_eye;
        centre = centre + sample * shake_centre;
    }
    const double aspect = static_cast<double>(sizes_.render_width) / sizes_.render_height;
    // apply_camera steadies the up vector where the view runs along it.
    context_->view_camera = {eye, centre, shot.up, opening::scene_fov(s), aspect, 0.1, opening::scene_far(s)};

    // The moon: high above the water near the camera while the sea lasts, then above the stage.
    Vector3 light_eye, light_centre;
    if (s <= opening::world_change) {
        light_eye = {eye.x + 8.0f, eye.y - 60.0f, eye.z - 45.0f};
        light_centre = {eye.x, eye.y, eye.z - 20.0f};
    } else {
        const Vector3& c = opening::stage_centre;
        light_eye = {c.x + 14.0f, c.y - 45.0f, c.z + 22.0f};
        light_centre = {c.x, c.y, c.z - 4.0f};
    }
    context_->light_camera = {light_eye, light_centre, {0.0f, 0.0f, -1.0f},  opening::projector_fov(s),
                              aspect,    0.1,          opening::scene_far(s)};
    projector_ = context_->light_camera;
    projector_.fov = opening::projector_fov(s);
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
    if (!opening::runs_depth_prepass(s)) clear_light_depth();
    if (opening::runs_background_prepass(s)) background_prepass();
    check_pass("opening", "background pre-pass");
    // Only the sea reads the pre-pass's depth, and the sea is gone before the pre-pass starts
    // (runs_background_prepass): the show's own chain leaves the pass out, the reference chain
    // draws it as the scene is described.
    const bool depth_prepass = opening::runs_depth_prepass(s) && !context.specialised_programs;
    render_scene_passes(context, textures_, sizes_, depth_prepass,
                        [this](bool depth_mode) { scene_pass(depth_mode); });
    check_pass("opening", "scene passes");
    run_occlusion_combine(context, shaders_, program_base_ + opening::combine2_program, textures_, sizes_, s,
                          projector_, OcclusionSamples::filtered);
    check_pass("opening", "occlusion combine");
    if (opening::runs_highlight_passes(s)) {
        const int quarter_w = sizes_.quarter_width(), quarter_h = sizes_.quarter_height();
        run_filter_passes(context, shaders_, program_base_ + opening::highlights_program, 1, 1, quarter_w,
                          quarter_h, textures_.colour, textures_.highlights);
        run_filter_passes(context, shaders_,
                          program_base_ + (opening::uses_late_programs(s) ? opening::godrays2_program
                                                                          : opening::godrays_program),
                          1, 1, quarter_w, quarter_h, textures_.highlights, textures_.highlights);
        check_pass("opening", "highlight and shaft passes");
    }

    compose_to_window(context, shaders_,
                      program_base_ + (opening::uses_late_programs(s) ? opening::composite_late_program
                                                                      : opening::composite_program),
                      textures_, sizes_, opening::compose_uniforms(s, frame.camera_y, frame.camera_z));
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
