#pragma once
// The middle scene: a paper-cut world. A running figure extruded frame by frame from a 257-frame
// image sequence, sun, clouds, moon and fish cut from card, a paper city, a temple of columns,
// a crowd and articulated ants, and ropes that hang and swing. Everything is driven by the
// scene's own clock (middle_clock.h); the viewer sees about 0..59 and 63..79 of it.
//
// Files: middle_clock (clock), middle_timeline (fades, blur, lens, sequence frames, the compose's
// uniforms), middle_shots (cameras), middle_stage (where things stand), middle_windows (when each
// element draws), middle_programs (program table), middle_state (what advance moves), slab_loading
// (the extruded slabs and their parallel build), ant_pose (the ant's gait), rope_rig (the ropes);
// part_middle.cpp loads, advances and renders the frame and its chain, middle_scene_pass.cpp
// draws the 3D pass and paper_groups.cpp its elements.
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "anim/body.h"
#include "anim/camera_path.h"
#include "anim/spline.h"
#include "core/frame_state.h"
#include "render/graphics_context.h"
#include "render/mesh.h"
#include "render/post_processing.h"
#include "render/shader_library.h"
#include "scenes/kit/element_window.h"
#include "scenes/kit/stateful_scene.h"
#include "scenes/middle/middle_clock.h"
#include "scenes/middle/middle_state.h"
#include "scenes/middle/rope_rig.h"

class part_middle : public StatefulScene<middle::State> {
public:
    // Mesh members in load order.
    enum MeshIndex {
        obj1,
        ant,
        ant_coarse,
        human4,
        human4_coarse,
        kolones,
        forks,
        circle,
        theplane,
        thelong,
        thecity1,
        transf1,
        tstar,
        mesh_count
    };
    static constexpr int image_slot_base = 2000;
    // Image texture slots (image_slot_base + offset).
    static constexpr int noise_slot = 2010, blob_slot = 2012, paper_slot = 2112, textured_blob_slot = 2113,
                         background_slot = 2111, chess_slot = 2013;

    void load(GraphicsContext* context) override;
    void advance(double frame_dt, FrameState& frame) override;
    void render(GraphicsContext& context) override;
    void resize(GraphicsContext& context) override;

    // Worker threads for the CPU half of the extrusion; 0 builds every slab on the loading thread.
    unsigned extrusion_workers;

    part_middle();
    const middle::MiddleClock& clock() const { return state_.clock; }
    const ShaderLibrary& shaders() const { return shaders_; }
    const Vector3& marker(int k) const { return markers_[k]; }

private:
    void load_slabs();
    void set_cameras(double t);
    // The scene pass (middle_scene_pass.cpp).
    void scene_pass(LitPass pass);
    void set_shadow_matrix();
    void bind_material_samplers();

    // Content groups of the scene pass (paper_groups.cpp).
    // Whether an element is drawn at t in the pass being drawn.
    bool drawn(const ElementWindow& element, double t) const { return element.drawn(pass_, t); }
    void draw_backdrop(double t);
    void draw_city(double t);
    void draw_sky(double t);
    void draw_sun(double t);
    void draw_clouds(double t);
    void draw_aeroplane(double t);
    void draw_sequence_figure(double t);
    void draw_sea(double t);
    void draw_ropes(double t);
    void draw_strands(double t);
    void draw_temple(double t);
    void draw_crowd(double t);
    void draw_ants(double t);
    void draw_people_row(double t);
    void draw_ant(double phase);
    // A slab's list scaled by `scale`, unless the box it fills lies out of the pass's view.
    void draw_slab(unsigned list, float scale);

    GraphicsContext* context_ = nullptr;
    CameraPath shake_track_;
    std::unique_ptr<body> figure_;
    std::array<Mesh, mesh_count> meshes_;
    std::array<Vector3, 257> markers_{};
    // Each slab list's box as the list draws it (turned upright, z from 0 to 1).
    struct SlabBox {
        Vector3 low, high;
    };
    std::unordered_map<unsigned, SlabBox> slab_boxes_;
    Spline curve_, resampled_;      // a rope's curve, rebuilt each time one is drawn
    double shake_[2] = {0.0, 0.0};  // this frame's shake, which feeds "MotionBlur"
    LitPass pass_ = LitPass::main;  // the pass the scene pass is drawing
    ChainTextures textures_{0, 11, 26, 29, 28, 32, 27};
    ChainSizes sizes_;
};
