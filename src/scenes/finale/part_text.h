#pragma once
// The final scene: a night landscape that ends the show. Ants walk over wet ground among growing
// tubes; a wall flies apart towards them; figures run past a house under the moon and a big tree
// whose leaves move; a diver stands among faces that crack and fall away; and the credits come
// up over a warm glow and go down with the music.
//
// Files: finale_clock (clock), finale_windows (pass and content windows), finale_timeline (curves),
// finale_shots and finale_stage (camera and places), finale_programs (program table), flight_paths
// (the wall's pieces in flight), wall_bricks (the bricks as drawn), ant_drawing (one ant);
// part_text.cpp loads and runs the frame and its chain, finale_scene_pass.cpp the 3D pass, and
// the content groups live in ground_groups.cpp, landmark_groups.cpp and credits_groups.cpp.
#include <array>
#include <memory>
#include <vector>

#include "anim/body.h"
#include "anim/camera_path.h"
#include "core/frame_state.h"
#include "render/graphics_context.h"
#include "render/mesh.h"
#include "render/post_processing.h"
#include "render/shader_library.h"
#include "scenes/finale/finale_clock.h"
#include "scenes/finale/finale_state.h"
#include "scenes/finale/flight_paths.h"
#include "scenes/finale/wall_bricks.h"
#include "scenes/kit/element_window.h"
#include "scenes/kit/shots.h"
#include "scenes/kit/stateful_scene.h"

class part_text : public StatefulScene<finale::State> {
public:
    enum MeshId {
        sphere,
        bait3,
        faces,
        diver,
        asm1,
        asm2,
        tree3,
        bighouse2,
        ant,
        wall,
        fish,
        human4,
        human4_coarse,
        ant_coarse,
        mesh_count
    };
    // Figure order: run, run2, walk.
    enum Figure { run = 0, run2 = 1, walk = 2 };
    static constexpr int image_base = 3000;
    static constexpr int clouds_slot = 3183, noise_slot = 3010, blob_slot = 3012, bg03_slot = 3112,
                         textured_blob_slot = 3113, bg10_slot = 3111, tile_slot = 3114, cloud_slot = 3120;
    static constexpr int glow_slot = 100;
    static constexpr int float_texture_entry = 1999;  // absolute table entry: the 1D float texture
    static constexpr int reload_counter_start = 2000;

    void load(GraphicsContext* context) override;
    void advance(double frame_dt, FrameState& frame) override;
    void render(GraphicsContext& context) override;
    void resize(GraphicsContext& context) override;

    const finale::FinaleClock& clock() const { return state_.clock; }
    int reload_count() const { return reload_counter_; }
    const std::vector<finale::FlightPath>& flight_paths() const { return flight_paths_; }

private:
    // The glow behind the credits, a quarter of the render area, clamped to its edges.
    void create_glow_texture();
    // The view's shot at clock t: the scene's camera, with the shake track's (weightless) sample.
    Shot view_shot(double t) const;
    void set_cameras(double t);
    void draw_glow_texture();
    void scene_pass(LitPass pass);
    void set_lights(double t);
    void use_material1(LitPass pass, double t);
    // The general material current again with its textures on their units, after a group that
    // bound textures of its own there.
    void return_to_material1();
    // Whether an element is drawn at t in the pass being drawn.
    bool drawn(const ElementWindow& element, double t) const { return element.drawn(pass_, t); }
    // The materials' brightness in a pass: 0.05 for the light, and falling with the music's fade.
    float material_level(LitPass pass) const;
    // Whether a thing within the world box leaves nothing in the picture of the pass being drawn,
    // so that the pass can leave it out: in the view's and the mirrored pass, the box lies out of
    // the pass's view; in the light's pass, nothing of its shadow falls where the view or its
    // mirror image in the wet ground can see.
    bool hidden_from_pass(Vector3 low, Vector3 high) const;

    // Content groups (each sets its program, uniforms and GL state).
    void draw_ground(LitPass pass, double t);
    void draw_ants(double t);
    void draw_tubes(double t);
    // The wall's bricks at t, for every pass of the frame.
    void place_wall(double t);
    void draw_wall(double t);
    void draw_figures(double t);
    void draw_house(LitPass pass, double t);
    void draw_moon(double t);
    void draw_tree(double t);
    void draw_diver(double t);
    // The small faces round the diver, the large one above him and the mosaic face behind him.
    void draw_faces(LitPass pass, double t);
    void draw_face_rings(double t, double appear);
    void draw_mosaic(LitPass pass, double t, double appear);
    void draw_backdrop(double t);
    void draw_credits(double t);
    void draw_layers(double t);
    void draw_sky(double t);
    // One figure on the ground at (x, z), turned by heading degrees, posed at `frame`.
    void draw_figure(Figure figure, float x, float z, float heading, float frame);

    GraphicsContext* context_ = nullptr;
    CameraPath shake_;
    std::array<std::unique_ptr<body>, 3> figures_;
    std::array<Mesh, mesh_count> meshes_;
    std::vector<finale::FlightPath> flight_paths_;
    finale::PlacedWall wall_;                      // the wall's bricks this frame
    std::vector<finale::BrickVertex> wall_quads_;  // the faces the current pass sees
    int reload_counter_ = 0;
    bool reflection_pass_ = false;
    LitPass pass_ = LitPass::main;  // the pass the scene pass is drawing
    // What hidden_from_pass holds boxes against: the pass's camera (the mirror included) and the
    // view's, from which the light's pass's shadows are seen.
    Matrix4 pass_modelview_{}, pass_projection_{}, view_modelview_{}, view_projection_{};
    ChainTextures textures_{0, 11, 26, 29, 28, 32, 27};
    ChainSizes sizes_;
};
