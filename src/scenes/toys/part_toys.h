#pragma once
// The toys scene: a toy world at night. A chess set whose pieces move and whose board mirrors
// them, a crowd walking up to it, toy traffic, an old car and runners on the pavement, a tank
// rising out of the ground and backing through a maze, a sea with a bridge, and block-built toys
// that assemble and burst. The viewer sees its clock from -7.1 to about 133.5 (show time 76.8 to
// about 252 s); it fades out from 131.5 and jumps over 146..159 to 243.
//
// Files: toys_clock (clock), toys_timeline (fades, blur and material curves), toys_windows
// (content windows), toys_shots (cameras), toys_stage (where things stand), toys_programs
// (program table), toys_state (what advance moves), toys_chess / toys_crowd / toys_traffic /
// toys_tank / toys_blocks / toys_particles (each group's rules); part_toys.cpp loads and runs the
// frame and its chain, toys_scene_pass.cpp the two scene passes, and the content groups live in
// board_groups.cpp, traffic_groups.cpp and sea_groups.cpp.
//
// Where the toys keep a recipe of their own: from 73 to 89 a second scene pass, the tank's,
// takes the place of the general one in every pass (its own near plane, black sky and maze), and
// the compose's "isMiddleScene" zoom blur belongs to that section.
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
#include "scenes/kit/stateful_scene.h"
#include "scenes/toys/toys_clock.h"
#include "scenes/toys/toys_particles.h"
#include "scenes/toys/toys_state.h"

class part_toys : public StatefulScene<toys::State> {
public:
    enum MeshIndex {
        chess_mesh,
        skin_mesh,
        coarse_skin_mesh,
        vehicle1_mesh,
        vehicle2_mesh,
        vehicle3_mesh,
        pavement_mesh,
        tree_mesh,
        ford_mesh,
        wires_mesh,
        labyrinth_mesh,
        tank_mesh,
        sea_mesh,
        bridge_mesh,
        transf1_mesh,
        transf1a_mesh,
        transf3_mesh,
        box_mesh,
        cylinder_mesh,
        mesh_count
    };
    enum Figure { push = 0, walk = 1, run = 2, run2 = 3 };
    // Image texture slots (base 1000 + offset).
    static constexpr int image_base = 1000;
    static constexpr int noise_slot = image_base + 10, blob_slot = image_base + 12,
                         chess_slot = image_base + 13, night_slot = image_base + 200,
                         paper_slot = image_base + 112, textured_blob_slot = image_base + 113,
                         bg_slot = image_base + 111;
    static constexpr double shake_offset = 2.0, late_shake_offset = 120.0;

    void load(GraphicsContext* context) override;
    void advance(double frame_dt, FrameState& frame) override;
    void render(GraphicsContext& context) override;
    void resize(GraphicsContext& context) override;

    const toys::ToysClock& clock() const { return state_.clock; }

private:
    void set_cameras(double t);
    // The whole world once into the bound target; the light pass looks from the light.
    void scene_pass(LitPass pass);
    // The tank section's world (73 <= t < 89).
    void tank_pass(LitPass pass);
    // Perspective, clear and look-at for a pass; near is the near plane.
    void begin_pass(LitPass pass, double near, const float clear[4]);
    // The general material's set-up, shared by both passes.
    void use_general_material();
    // The other materials' common set-up: their samplers, the clock as "ttime" and the light's
    // projector.
    void use_toy_program(int program);
    // Texture matrix 3 takes eye-space points back to the world (the materials' shadow and
    // reflection lookups need world positions).
    void load_eye_to_world();
    // A material's light projector (texture matrix 2) from the light camera.
    void load_light_projector() const;

    // Content groups.
    // The floor the toys stand on (general material, main pass only).
    void draw_ground();
    void draw_chess(LitPass pass);
    void draw_crowd(LitPass pass);
    void draw_onlookers(LitPass pass);
    // The vehicle material as the traffic groups start from.
    void use_vehicle_material();
    // The same for the wires, the runners, the old car and the plates: the paper finish.
    void use_roadside_material();
    void draw_hatchback(LitPass pass);
    void draw_car_waves(LitPass pass);
    void draw_wires(LitPass pass);
    void draw_runners(LitPass pass);
    void draw_old_car(LitPass pass);
    void draw_plates(LitPass pass);
    void draw_tank(bool tank_section_pass);
    void draw_maze(LitPass pass);
    void draw_sea_and_bridge(LitPass pass);
    void draw_toys(LitPass pass);
    void draw_particles(LitPass pass);
    // The walk, run or push figure at a ground point, turned by heading degrees about y.
    void draw_figure(Figure figure, float x, float y, float z, float heading, float motion_time);

    GraphicsContext* context_ = nullptr;
    CameraPath shake_;
    std::array<std::unique_ptr<body>, 4> figures_;
    std::array<Mesh, mesh_count> meshes_;
    bool reflection_pass_ = false;
    Matrix4 eye_to_world_{};
    ChainTextures textures_{0, 11, 26, 29, 28, 32, 27};
    ChainSizes sizes_;
    std::vector<toys::Speck> specks_;
};
