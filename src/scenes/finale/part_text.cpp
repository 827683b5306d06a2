#include "scenes/finale/part_text.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/random.h"
#include "platform/virtual_keys.h"
#include "scenes/finale/finale_programs.h"
#include "scenes/finale/finale_shots.h"
#include "scenes/finale/finale_timeline.h"
#include "scenes/finale/finale_windows.h"
#include "scenes/kit/kit.h"
#include "scenes/kit/mesh_files.h"

namespace {

constexpr const char* shake_file = "Other//try1.sav";
constexpr int float_texels = 1024;
// The shake track is read every frame but moves nothing.
constexpr double shake_offset_early = 2.0, shake_offset_late = 1070.0, shake_late_from = 78.0;
constexpr float shake_weight = 0.0f;

// The glow behind the credits: the blob in a warm light, and 50 darker blots over it.
constexpr uint32_t glow_seed = static_cast<uint32_t>(-60543884);
constexpr int glow_blots = 50;

// How much of the camera's turn per frame streaks the compose (texture units per radian).
constexpr float velocity_gain = 0.12f;

// The image textures in load order, with the loading screen's weights after some of them.
struct ImageFile {
    const char* file;
    int slot;
    bool normal_map;
    bool clamped;
    double progress_after;
};
constexpr ImageFile images[] = {
    {"textures/theclouds2.jpg", part_text::clouds_slot, false, false, 0.0},
    {"textures/noise.jpg", part_text::noise_slot, true, false, 0.0},
    {"textures/blob41b.jpg", part_text::blob_slot, false, true, 2.0},
    {"textures/bg03.jpg", part_text::bg03_slot, false, false, 0.0},
    {"textures/texturedblob.jpg", part_text::textured_blob_slot, false, false, 0.0},
    {"textures/bg10.jpg", part_text::bg10_slot, false, false, 0.0},
    {"textures/tile.jpg", part_text::tile_slot, false, false, 0.0},
    {"textures/cloudt3.jpg", part_text::cloud_slot, false, false, 3.0},
};

// The meshes in load order. The show loads the faces twice into the same mesh; the second load
// gives what the first did, so the file is read once.
const MeshFileBatch mesh_batches[] = {
    {{{part_text::sphere, "neomeshes//sphere.obj"}}, {1.0}},
    {{{part_text::bait3, "neomeshes//bait3.obj"}}, {1.0}},
    {{{part_text::faces, "neomeshes//faces.obj"}}, {1.0}},
    {{{part_text::diver, "neomeshes//diver.obj"}}, {1.0}},
    {{{part_text::asm1, "neomeshes//Asm1.obj"}, {part_text::asm2, "neomeshes//Asm2.obj"}}, {1.0}},
    {{{part_text::tree3, "neomeshes//tree3.obj"}}, {1.0}},
    {{{part_text::bighouse2, "neomeshes//bighouse2.obj"}}, {1.0}},
    {{{part_text::ant, "neomeshes//ant.obj"},
      {part_text::ant_coarse, "neomeshes//antcoarse.obj"},
      {part_text::wall, "neomeshes//wall.obj"}},
     {1.0}},
    {{{part_text::fish, "neomeshes//fish.obj"},
      {part_text::human4, "neomeshes//human4.obj"},
      {part_text::human4_coarse, "neomeshes//human4coarse.obj"}},
     {}},
};

struct FigureFile {
    part_text::Figure index;
    const char* file;
};
constexpr FigureFile figure_files[] = {{part_text::run, "neomeshes//avatar_run.bvh"},
                                       {part_text::run2, "neomeshes//avatar_run2.bvh"},
                                       {part_text::walk, "neomeshes//avatar_walk.bvh"}};

}  // namespace

void part_text::load(GraphicsContext* context) {
    context_ = context;
    reload_counter_ = reload_counter_start;
    sizes_ = current_sizes();

    load_program_table(shaders_, *context, finale::programs);
    create_glow_texture();
    create_chain_textures(*context, textures_, sizes_);
    // The 1D float texture is created as the show creates it, empty; this scene's wall pieces
    // are placed on the CPU (flight_paths.h), so nothing samples it.
    create_float_texture_1d(*context, float_texture_entry, float_texels, GL_CLAMP_TO_EDGE);
    clamp_and_attach_chain(*context, textures_);
    for (const ImageFile& image : images) {
        if (image.normal_map)
            context->load_normal_map(image.file, image.slot);
        else
            context->load_jpeg_texture(image.file, image.slot);
        if (image.clamped) clamp_to_edge(*context, image.slot);
        if (image.progress_after > 0) context->progress(image.progress_after);
    }
    load_mesh_files(*context, meshes_, mesh_batches);
    for (const FigureFile& figure : figure_files)
        figures_[figure.index] = std::make_unique<body>(figure.file);
    shake_.load(shake_file);
    context->progress(1.0);

    flight_paths_ = finale::build_flight_paths(finale::wall_face_centres(meshes_[wall]));
    context->progress(5.0);

    finale::State start;
    start.clock.reset();
    start_state(start);
    for (const ProgramEntry& entry : finale::replacements) load_program_entry(shaders_, *context, entry);
    prepare_compose_copies(*context, shaders_, finale::compose, final_grading);
}

void part_text::create_glow_texture() {
    context_->create_render_texture(glow_slot, static_cast<int>(sizes_.render_width * 0.25),
                                    static_cast<int>(sizes_.render_height * 0.25), false);
    clamp_to_edge(*context_, glow_slot);
}

void part_text::resize(GraphicsContext& context) {
    resize_chain(context, textures_, sizes_);
    create_glow_texture();
    context.bind_window_framebuffer();
}

Shot part_text::view_shot(double t) const {
    Shot view = finale::view_shot(t);
    view.eye = view.eye +
               shake_.sample(t, t >= shake_late_from ? shake_offset_late : shake_offset_early) * shake_weight;
    return view;
}

void part_text::set_cameras(double t) {
    const Shot view = view_shot(t);
    const double aspect = static_cast<double>(sizes_.render_width) / sizes_.render_height;
    const double fov = finale::field_of_view(t);
    context_->view_camera = {view.eye, view.centre,        steady_up(view),  fov,
                             aspect,   finale::near_plane, finale::far_plane};
    const Shot light = finale::light_shot(view, t);
    context_->light_camera = {light.eye, light.centre,       steady_up(light), fov,
                              aspect,    finale::near_plane, finale::far_plane};
}

void part_text::draw_glow_texture() {
    const int width = static_cast<int>(sizes_.render_width * 0.25),
              height = static_cast<int>(sizes_.render_height * 0.25);
    begin_glow_picture(*context_, shaders_, glow_slot, blob_slot, width, height, {0.84f, 0.7f, 0.5f});
    seed_random(glow_seed);
    glColor3f(0.15f, 0.15f, 0.15f);
    for (int i = 0; i < glow_blots; ++i) {
        const double x = random_unit() * 12.0 - 6.0, y = random_unit() * 12.0 - 6.0,
                     z = random_unit() * 12.0 - 6.0;
        glPushMatrix();
        glTranslated(x, y, z);
        draw_screen_quad(0.0, 0.6, 0.6, false, 1.0f);
        glPopMatrix();
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    context_->resolve_render_target(1, width, height, 1, false);
    context_->attach_color_texture(1, 0, textures_.highlights);
    context_->bind_window_framebuffer();
}

void part_text::advance(double frame_dt, FrameState& frame) {
    SceneFrame guard(frame, state_.frame);
    const double t = state_.clock.advance(frame_dt, state_.frame.flash, state_.frame.previous_flash);
    state_.t = t;

    // The camera's turn since the last frame, in its own right/up terms, streaks the picture.
    const Shot view = view_shot(t);
    Vector3 direction = view.centre - view.eye;
    normalise(direction);
    state_.streak[0] = state_.streak[1] = 0.0f;
    if (state_.previous_direction.state != 0 && frame_dt > 0.0) {
        Vector3 right = cross(direction, steady_up(view));
        normalise(right);
        const Vector3 up = cross(right, direction);
        const Vector3 turn = direction - state_.previous_direction;
        state_.streak[0] = std::clamp(dot(turn, right) * velocity_gain, -0.006f, 0.006f);
        state_.streak[1] = std::clamp(dot(turn, up) * velocity_gain, -0.006f, 0.006f);
    }
    state_.previous_direction = direction;
    state_.frame.params[0] = state_.clock.value();
}

void part_text::render(GraphicsContext& context) {
    const double t = state_.t;
    if (state_.frame.key_state[key_space]) {
        for (const ProgramEntry& entry : finale::reloads) load_program_entry(shaders_, context, entry);
        ++reload_counter_;
    }

    set_cameras(t);
    place_wall(t);
    context.bind_window_framebuffer();
    glPushAttrib(GL_ALL_ATTRIB_BITS);

    // Where this scene differs from the other lit scenes: the glow behind the credits is drawn
    // into a texture of its own before the scene passes, which sample it.
    if (finale::glow_pass(t)) draw_glow_texture();
    check_pass("final scene", "glow texture");
    render_lit_scene_passes(context, textures_, sizes_, finale::light_pass(t), finale::mirrored_pass.holds(t),
                            [this](LitPass pass) { scene_pass(pass); });
    check_pass("final scene", "scene passes");

    const CameraRecord projector =
        with_lens(context.view_camera, finale::projector_fov, finale::projector_near, finale::projector_far);
    run_occlusion_combine(context, shaders_, finale::combine, textures_, sizes_, t, projector,
                          OcclusionSamples::nearest, 1.0f);
    check_pass("final scene", "occlusion combine");

    // The compose does not read the highlights (the scene shows no shafts): the show's chain
    // leaves the highlight and shaft passes out, the reference chain draws them as the scene is
    // described.
    if (!context.specialised_programs) {
        const int quarter_w = sizes_.quarter_width(), quarter_h = sizes_.quarter_height();
        run_filter_passes(context, shaders_, finale::highlights, 1, 1, quarter_w, quarter_h, textures_.colour,
                          textures_.highlights);
        // "Limit" reaches the program that draws the shafts.
        if (t > finale::shafts_after)
            run_filter_passes(context, shaders_, finale::godrays, 1, 1, quarter_w, quarter_h,
                              textures_.highlights, textures_.highlights, -1, -1,
                              {{"Limit", static_cast<float>(finale::shaft_limit(t))}});
        check_pass("final scene", "highlight and shaft passes");
    }

    compose_to_window(
        context, shaders_, finale::compose, textures_, sizes_,
        finale::compose_uniforms(t, state_.frame.adjust_a, state_.frame.spectrum[5], state_.streak));
    check_pass("final scene", "window compose");

    glPopAttrib();
    glFlush();
}
