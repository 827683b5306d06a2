#pragma once
// The opening: a night sea seen from beneath, a dive to the deep floor, and a stage down there
// where figures walk, run, sit and throw among an Escher crowd while a school of bait fish
// circles. Everything is driven by the scene's own clock (opening_clock.h), which the viewer
// sees from 4.15 to about 16.8 and then, twice, from 56 to about 70.6.
//
// Files: opening_clock (clock), opening_timeline (pass switches, composite curves and the
// compose's uniforms), opening_shots (camera), opening_windows (content windows),
// opening_programs (program table), opening_stage (where the places are), opening_state (what
// advance moves); part_begin.cpp loads and runs the frame and its chain; opening_scene_pass.cpp
// the 3D pass and the background pre-pass; the content groups live in sea_group.cpp,
// stage_groups.cpp, figure_groups.cpp and particle_groups.cpp.
//
// Where the opening keeps a recipe of its own: its clock is not the kit's FlashClock (it runs on
// accumulated real time, jumps twice to 56 and draws one warm-up frame ahead; the show's flashes
// leave it alone), and its frame is a background pre-pass and a depth pre-pass from the light
// before the main pass rather than the later scenes' light, mirrored and main passes. Every
// program slot is counted from a program-slot base, as the show's first scene always has.
#include <array>
#include <memory>

#include "anim/body.h"
#include "anim/camera_path.h"
#include "core/frame_state.h"
#include "render/graphics_context.h"
#include "render/mesh.h"
#include "render/post_processing.h"
#include "render/shader_library.h"
#include "scenes/kit/stateful_scene.h"
#include "scenes/opening/opening_clock.h"
#include "scenes/opening/opening_state.h"

class part_begin : public StatefulScene<opening::State> {
public:
    // Mesh array entries the scene loads; the others stay unloaded and draw nothing.
    static constexpr int sea_mesh = 0, floor_mesh = 2, background_mesh = 8, crowd_mesh = 9, bait_mesh = 10,
                         skin_mesh = 15, coarse_skin_mesh = 16, mesh_count = 19;
    // Figure order: run, walk, sit, throw.
    enum Figure { run = 0, walk = 1, sit = 2, throw_r = 3 };
    // Image texture slots.
    static constexpr int ripples_slot = 10, blob_slot = 12, turtle_slot = 40, fifty_three_slot = 66,
                         blood_slot = 67, textured_blob_slot = 68, yeolde_slot = 83, prepass_slot = 100,
                         bg_slot = 111, cloud_slot = 120, clouds_slot = 183, night_slot = 200;
    static constexpr int positions_slot = 999;  // absolute table entry: the 1D float texture
    static constexpr double shake_offset = 28.0;

    void load(GraphicsContext* context) override;
    void advance(double frame_dt, FrameState& frame) override;
    void render(GraphicsContext& context) override;
    void resize(GraphicsContext& context) override;

    const opening::OpeningClock& clock() const { return state_.clock; }

private:
    // The 3D picture into whatever target is bound: depth mode draws depth only, through the
    // light camera.
    void scene_pass(bool depth_mode);
    // The moon glow and drifting blots into slot 100 (quarter size, target 1).
    void background_prepass();
    void set_cameras(double s);
    void set_lights_and_water(double s);
    void clear_light_depth();

    // Content groups (each sets its program, uniforms and GL state).
    void draw_sea(double s, LitPass pass);
    void draw_sea_floor(double s, LitPass pass);
    // The five figure groups, each pace varied by its own share of the variations.
    using FigureVariations = std::array<float, 16>;
    void draw_figures(double s, LitPass pass);
    void draw_walkers(double s, const FigureVariations& variation);
    void draw_runners(double s, const FigureVariations& variation);
    void draw_sitters(double s, const FigureVariations& variation);
    void draw_ridge_throwers(double s, const FigureVariations& variation);
    void draw_lit_group(double s, const FigureVariations& variation);
    void draw_background(double s, LitPass pass);
    void draw_crowd(double s, LitPass pass);
    void draw_bait_fish(double s, LitPass pass);
    void draw_plankton(double s, LitPass pass);
    void draw_bubble_swirl(double s, LitPass pass);
    void draw_bubble_column(double s, LitPass pass);
    void draw_billboards(double s, LitPass pass);
    // One figure at ground point (x, z) of the stage, turned by heading degrees about the
    // world's vertical, posed at `frame` of its clip, sunk `rise` below the ground (0 = on it).
    void draw_figure(Figure figure, float x, float z, float heading, float frame, float rise = 0.0f);

    GraphicsContext* context_ = nullptr;
    int program_base_ = 0;
    CameraPath shake_;
    std::array<std::unique_ptr<body>, 4> figures_;
    std::array<Mesh, mesh_count> meshes_;
    // The light camera as the projector sees it (the projector's field of view, near 1, far
    // 100): the sea's shadow and the occlusion combine read it.
    CameraRecord projector_{};
    ChainTextures textures_;
    ChainSizes sizes_;
};
