#include "scenes/middle/part_middle.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstddef>

#include "platform/virtual_keys.h"
#include "scenes/kit/mesh_files.h"
#include "scenes/kit/pass_check.h"
#include "scenes/kit/program_table.h"
#include "scenes/kit/scene_frame.h"
#include "scenes/kit/scene_textures.h"
#include "scenes/kit/shots.h"
#include "scenes/middle/middle_programs.h"
#include "scenes/middle/middle_shots.h"
#include "scenes/middle/middle_timeline.h"
#include "scenes/middle/middle_windows.h"
#include "scenes/middle/slab_loading.h"

namespace {

constexpr const char* figure_file = "neomeshes//avatar_run.bvh";
constexpr const char* shake_file = "Other//try1.sav";

// The meshes in load order, with the loading screen's weights.
const MeshFileBatch mesh_batches[] = {
    {{{part_middle::obj1, "neomeshes//obj1.obj"},
      {part_middle::ant, "neomeshes//ant.obj"},
      {part_middle::ant_coarse, "neomeshes//antcoarse.obj"},
      {part_middle::human4, "neomeshes//human4.obj"},
      {part_middle::human4_coarse, "neomeshes//human4coarse.obj"}},
     {1.0}},
    {{{part_middle::kolones, "neomeshes//kolones.obj"}, {part_middle::forks, "neomeshes//forks.obj"}}, {1.0}},
    {{{part_middle::circle, "neomeshes//circle.obj"},
      {part_middle::theplane, "neomeshes//theplane.obj"},
      {part_middle::thelong, "neomeshes//thelong.obj"}},
     {2.0}},
    {{{part_middle::thecity1, "neomeshes//thecity1.obj"},
      {part_middle::transf1, "neomeshes//transf1.obj"},
      {part_middle::tstar, "neomeshes//tstar.obj"}},
     {}},
};

}  // namespace

part_middle::part_middle() : extrusion_workers(middle::extrusion_threads()) {}

void part_middle::load(GraphicsContext* context) {
    context_ = context;
    sizes_ = current_sizes();

    // The show reads the running clip a second time after the meshes, into a figure that replaces
    // this one; the two are the same, so it is read once.
    figure_ = std::make_unique<body>(figure_file);
    load_program_table(shaders_, *context, middle::programs);
    prepare_compose_copies(*context, shaders_, middle::compose, middle_grading);

    load_slabs();

    create_chain_textures(*context, textures_, sizes_);
    clamp_to_edge(*context, textures_.random_vectors);
    clamp_and_attach_chain(*context, textures_);
    context->load_normal_map("textures/noise.jpg", noise_slot);
    context->load_jpeg_texture("textures/blob41b.jpg", blob_slot);
    clamp_to_edge(*context, blob_slot);
    context->load_jpeg_texture("textures/paper.jpg", paper_slot);
    context->load_jpeg_texture("textures/texturedblob.jpg", textured_blob_slot);
    context->load_jpeg_texture("textures/bg10.jpg", background_slot);
    context->bind_window_framebuffer();
    context->progress(1.0);

    load_mesh_files(*context, meshes_, mesh_batches);

    shake_track_.load(shake_file);
    middle::State start;
    start.ropes.create();
    context->progress(1.0);
    start.clock.reset(0.0);
    start_state(start);
}

void part_middle::resize(GraphicsContext& context) { resize_chain(context, textures_, sizes_); }

void part_middle::load_slabs() {
    const std::vector<middle::SlabJob> jobs = middle::slab_jobs();
    middle::build_slabs(
        jobs, extrusion_workers,
        [&](std::size_t i) {
            if (jobs[i].progress_before > 0) context_->progress(jobs[i].progress_before);
        },
        [&](std::size_t i, middle::SlabResult& result) {
            const middle::SlabJob& job = jobs[i];
            ContourExtruder::compile(result.slab, job.list);
            // The list turns the slab by 90 degrees about +z: (x, y) is drawn at (−y, x).
            const std::array<float, 4> e = result.slab.extent();
            slab_boxes_[job.list] = {{-e[3], e[0], 0.0f}, {-e[1], e[2], 1.0f}};
            if (job.sequence_frame) {
                markers_[(job.list - middle::sequence_list_base) / middle::lists_per_slab] = result.marker;
                ContourExtruder::compile(result.edges, job.list + middle::edge_list_offset);
            }
            if (job.progress_after > 0) context_->progress(job.progress_after);
        });
}

void part_middle::set_cameras(double t) {
    const double aspect = static_cast<double>(sizes_.render_width) / sizes_.render_height;
    const double fov = middle::field_of_view(t);
    const Shot view = middle::view_shot(t);
    context_->view_camera = {view.eye, view.centre,        steady_up(view),  fov,
                             aspect,   middle::near_plane, middle::far_plane};
    // The light pass renders with the scene pass's lens, so the shadow lookup uses the same.
    const Shot light = middle::light_shot(t);
    context_->light_camera = {light.eye, light.centre,       steady_up(light), fov,
                              aspect,    middle::near_plane, middle::far_plane};

    const Vector3 sample = shake_track_.sample(t, middle::shake_offset(t));
    const double gain = 0.006 * middle::shake_gain(t);
    shake_[0] = gain * sample.x;
    shake_[1] = gain * sample.y;
}

void part_middle::advance(double frame_dt, FrameState& frame) {
    SceneFrame guard(frame, state_.frame);
    const double t = state_.clock.advance(frame_dt, state_.frame.flash, state_.frame.previous_flash);
    state_.t = t;
    // The ropes move in show seconds, once per frame.
    if (middle::rope_field.holds(t)) state_.ropes.step_field(t, frame_dt);
    if (middle::single_rope.holds(t)) state_.ropes.step_single(t, frame_dt);
    state_.frame.params[0] = state_.clock.value();
}

void part_middle::render(GraphicsContext& context) {
    const double t = state_.t;
    if (state_.frame.key_state[key_space])
        for (const ProgramEntry& entry : middle::developer_reload)
            load_program_entry(shaders_, context, entry);

    set_cameras(t);
    const ComposeUniforms composed = middle::compose_uniforms(t, state_.frame.spectrum[5], shake_);
    if (composed_black(context, composed)) {
        show_black_window(sizes_);
        return;
    }
    context.bind_window_framebuffer();
    glPushAttrib(GL_ALL_ATTRIB_BITS);

    // Where this scene differs from the other lit scenes: nothing in the paper world is wet, so
    // there is no mirrored pass, and its compose shows no shafts, so no highlight or shaft pass
    // runs either.
    render_lit_scene_passes(context, textures_, sizes_, true, false,
                            [this](LitPass pass) { scene_pass(pass); });
    check_pass("middle scene", "light and main passes");

    const CameraRecord projector =
        with_lens(context.view_camera, middle::projector_fov, middle::projector_near, middle::projector_far);
    run_occlusion_combine(context, shaders_, middle::combine, textures_, sizes_, t, projector,
                          OcclusionSamples::filtered, static_cast<float>(middle::ssao_factor(t)));
    check_pass("middle scene", "occlusion pass");

    compose_to_window(context, shaders_, middle::compose, textures_, sizes_, composed);
    check_pass("middle scene", "window pass");

    glPopAttrib();
    glFlush();
}
