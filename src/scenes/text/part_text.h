#pragma once
// The final scene: a night landscape that ends the show. Ants walk over wet ground among growing
// tubes; a wall flies apart towards them; figures run past a house under the moon and a big tree
// whose leaves move; a diver stands among faces that crack and fall away; and the credits come
// up over a warm glow and go down with the music.
//
// Files: text_clock (clock), text_windows (pass and content windows), text_timeline (curves),
// text_shots and text_stage (camera and places), text_programs (program table), flight_paths
// (the wall's pieces), ant_drawing (one ant); part_text.cpp loads and runs the frame and its
// chain, text_scene_pass.cpp the 3D pass, and the content groups live in ground_groups.cpp,
// landmark_groups.cpp and credits_groups.cpp.
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
#include "scenes/kit/shots.h"
#include "scenes/text/flight_paths.h"
#include "scenes/text/text_clock.h"
#include "show/parts.h"

class part_text : public parts {
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
    void rewind() override { state_ = loaded_state_; }
    ShaderLibrary* shader_library() override { return &shaders_; }

    // What advance moves and render reads.
    struct State {
        text::TextClock clock;
        FrameState frame;  // the frame's copy of the shared record
        double t = 0.0;    // the clock value this frame draws with
        // The view direction of the previous frame, and the streak this frame's turn from it
        // gives the compose ("TheVelocity").
        Vector3 previous_direction{};
        float streak[2] = {};
        bool operator==(const State&) const = default;
    };
    const State& state() const { return state_; }
    const text::TextClock& clock() const { return state_.clock; }
    int reload_count() const { return reload_counter_; }
    const std::vector<text::FlightPath>& flight_paths() const { return flight_paths_; }

private:
    // The view's shot at clock t: the scene's camera, with the shake track's (weightless) sample.
    Shot view_shot(double t) const;
    void set_cameras(double t);
    void draw_glow_texture();
    void scene_pass(LitPass pass);
    void set_lights(double t);
    void use_material1(LitPass pass, double t);
    // The materials' brightness in a pass: 0.05 for the light, and falling with the music's fade.
    float material_level(LitPass pass) const;

    // Content groups (each sets its program, uniforms and GL state).
    void draw_ground(LitPass pass, double t);
    void draw_ants(double t);
    void draw_tubes(double t);
    void draw_wall(double t);
    void draw_figures(double t);
    void draw_house(LitPass pass, double t);
    void draw_moon(LitPass pass, double t);
    void draw_tree(double t);
    void draw_diver_and_faces(LitPass pass, double t);
    void draw_backdrop(LitPass pass, double t);
    void draw_credits(LitPass pass, double t);
    void draw_layers(LitPass pass, double t);
    void draw_sky(LitPass pass, double t);
    // One figure on the ground at (x, z), turned by heading degrees, posed at `frame`.
    void draw_figure(Figure figure, float x, float z, float heading, float frame);

    GraphicsContext* context_ = nullptr;
    ShaderLibrary shaders_;
    State state_, loaded_state_;
    CameraPath shake_;
    std::array<std::unique_ptr<body>, 3> figures_;
    std::array<Mesh, mesh_count> meshes_;
    std::vector<text::FlightPath> flight_paths_;
    int reload_counter_ = 0;
    bool reflection_pass_ = false;
    ChainTextures textures_{0, 11, 26, 29, 28, 32, 27};
    ChainSizes sizes_;
};
