#include "scenes/text/part_text.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/random.h"
#include "scenes/kit/kit.h"
#include "scenes/text/text_programs.h"
#include "scenes/text/text_shots.h"
#include "scenes/text/text_timeline.h"
#include "scenes/text/text_windows.h"
#include "show/app_state.h"

namespace tt = text_timeline;
namespace tw = text_windows;

namespace {

constexpr const char* shake_file = "Other//try1.sav";
constexpr int space_key = 32;
constexpr int float_texels = 1024;
// The shake track is read every frame but moves nothing.
constexpr double shake_offset_early = 2.0, shake_offset_late = 1070.0, shake_late_from = 78.0;
constexpr float shake_weight = 0.0f;

// The glow behind the credits: the blob in a warm light, and 50 darker blots over it.
constexpr uint32_t glow_seed = static_cast<uint32_t>(-60543884);
constexpr int glow_blots = 50;

float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// How much of the camera's turn per frame streaks the compose (texture units per radian).
constexpr float velocity_gain = 0.12f;

}  // namespace

void part_text::load(GraphicsContext* context) {
    context_ = context;
    reload_counter_ = reload_counter_start;
    const AppState& app = app_state();
    sizes_ = {app.render_width, app.render_height, app.window_width, app.window_height};

    load_program_table(shaders_, *context, text::programs);

    context->create_render_texture(glow_slot, static_cast<int>(sizes_.render_width * 0.25),
                                   static_cast<int>(sizes_.render_height * 0.25), false);
    create_chain_textures(*context, textures_, sizes_);
    // The 1D float texture is created as the show creates it, empty; this scene's wall pieces
    // are placed on the CPU (flight_paths.h), so nothing samples it.
    GLuint float_texture = 0;
    glGenTextures(1, &float_texture);
    context->texture_table[float_texture_entry] = float_texture;
    glBindTexture(GL_TEXTURE_1D, float_texture);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA32F, float_texels, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_1D, 0);
    for (int slot : {textures_.colour, textures_.second_output, textures_.depth, textures_.prepass_depth,
                     textures_.highlights, textures_.velocities, glow_slot}) {
        context->bind_texture_slot(slot);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    attach_chain_textures(*context, textures_);

    context->load_jpeg_texture("textures/theclouds2.jpg", clouds_slot);
    context->load_normal_map("textures/noise.jpg", noise_slot);
    context->load_jpeg_texture("textures/blob41b.jpg", blob_slot);
    context->bind_texture_slot(blob_slot);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    context->progress(2.0);
    context->load_jpeg_texture("textures/bg03.jpg", bg03_slot);
    context->load_jpeg_texture("textures/texturedblob.jpg", textured_blob_slot);
    context->load_jpeg_texture("textures/bg10.jpg", bg10_slot);
    context->load_jpeg_texture("textures/tile.jpg", tile_slot);
    context->load_jpeg_texture("textures/cloudt3.jpg", cloud_slot);
    context->progress(3.0);

    meshes_[sphere].load("neomeshes//sphere.obj", false);
    context->progress(1.0);
    meshes_[bait3].load("neomeshes//bait3.obj", false);
    context->progress(1.0);
    meshes_[faces].load("neomeshes//faces.obj", false);
    meshes_[faces].load("neomeshes//faces.obj", false);
    context->progress(1.0);
    meshes_[diver].load("neomeshes//diver.obj", false);
    context->progress(1.0);
    meshes_[asm1].load("neomeshes//Asm1.obj", false);
    meshes_[asm2].load("neomeshes//Asm2.obj", false);
    context->progress(1.0);
    meshes_[tree3].load("neomeshes//tree3.obj", false);
    context->progress(1.0);
    meshes_[bighouse2].load("neomeshes//bighouse2.obj", false);
    context->progress(1.0);
    meshes_[ant].load("neomeshes//ant.obj", false);
    meshes_[wall].load("neomeshes//wall.obj", false);
    context->progress(1.0);
    meshes_[fish].load("neomeshes//fish.obj", false);
    meshes_[human4].load("neomeshes//human4.obj", false);
    figures_[run] = std::make_unique<body>("neomeshes//avatar_run.bvh");
    figures_[run2] = std::make_unique<body>("neomeshes//avatar_run2.bvh");
    figures_[walk] = std::make_unique<body>("neomeshes//avatar_walk.bvh");
    shake_.load(shake_file);
    context->progress(1.0);

    flight_paths_ = text::build_flight_paths(text::wall_face_centres(meshes_[wall]));
    context->progress(5.0);

    state_ = State{};
    state_.clock.reset();
    loaded_state_ = state_;
    for (const ProgramEntry& entry : text::replacements) load_program_entry(shaders_, *context, entry);
    prepare_compose_copies(*context, shaders_, text::compose, final_grading);
}

Shot part_text::view_shot(double t) const {
    Shot view = text::view_shot(t);
    view.eye = view.eye +
               shake_.sample(t, t >= shake_late_from ? shake_offset_late : shake_offset_early) * shake_weight;
    return view;
}

void part_text::set_cameras(double t) {
    const Shot view = view_shot(t);
    const double aspect = static_cast<double>(sizes_.render_width) / sizes_.render_height;
    const double fov = tt::field_of_view(t);
    context_->view_camera = {view.eye, view.centre, steady_up(view), fov, aspect, 0.2, 500.0};
    const Shot light = text::light_shot(view, t);
    context_->light_camera = {light.eye, light.centre, steady_up(light), fov, aspect, 0.2, 500.0};
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
    if (state_.frame.key_state[space_key]) {
        for (const ProgramEntry& entry : text::reloads) load_program_entry(shaders_, context, entry);
        ++reload_counter_;
    }

    set_cameras(t);
    context.bind_window_framebuffer();
    glPushAttrib(GL_ALL_ATTRIB_BITS);

    if (tw::glow_pass(t)) draw_glow_texture();
    check_pass("final scene", "glow texture");
    render_lit_scene_passes(context, textures_, sizes_, tw::light_pass(t), tw::mirrored_pass.holds(t),
                            [this](LitPass pass) { scene_pass(pass); });
    check_pass("final scene", "scene passes");

    CameraRecord projector = context.view_camera;
    projector.fov = 60.0;
    projector.near_distance = 1.0;
    projector.far_distance = 1500.0;
    run_occlusion_combine(context, shaders_, text::combine, textures_, sizes_, t, projector, 1.0f);
    check_pass("final scene", "occlusion combine");

    const int quarter_w = sizes_.quarter_width(), quarter_h = sizes_.quarter_height();
    run_filter_passes(context, shaders_, text::highlights, 1, 1, quarter_w, quarter_h, textures_.colour,
                      textures_.highlights);
    shaders_.use_program(text::godrays);
    shaders_.set_float(text::godrays, "Limit", static_cast<float>(tt::shaft_limit(t)));
    if (t > tw::shafts_after)
        run_filter_passes(context, shaders_, text::godrays, 1, 1, quarter_w, quarter_h, textures_.highlights,
                          textures_.highlights);
    check_pass("final scene", "highlight and shaft passes");

    ComposeUniforms compose;
    compose.the_velocity[0] = state_.streak[0];
    compose.the_velocity[1] = state_.streak[1];
    compose.mode = final_grading;
    compose.ttime = static_cast<float>(t);
    compose.limit = static_cast<float>(state_.frame.adjust_a);
    compose.dsp = state_.frame.spectrum[5];
    compose.set_blur = static_cast<float>(tt::set_blur(t));
    compose.fade = static_cast<float>(tt::grey_value(t));
    compose.shafts = false;
    compose.random = true;
    compose_to_window(context, shaders_, text::compose, textures_, sizes_, compose);
    check_pass("final scene", "window compose");

    glPopAttrib();
    glFlush();
}
