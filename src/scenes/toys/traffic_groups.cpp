// Toy traffic: the parked hatchback, two waves of cars, the tank, the telegraph line, the runners
// on the pavement, the old car and the pavement plates; and the tank section's maze.
#include <GL/glew.h>

#include <array>
#include <cmath>

#include "core/easing.h"
#include "render/face_culling.h"
#include "scenes/kit/figures.h"
#include "scenes/toys/part_toys.h"
#include "scenes/toys/toys_crowd.h"
#include "scenes/toys/toys_programs.h"
#include "scenes/toys/toys_stage.h"
#include "scenes/toys/toys_tank.h"
#include "scenes/toys/toys_timeline.h"
#include "scenes/toys/toys_traffic.h"
#include "scenes/toys/toys_windows.h"

namespace {

constexpr int car_body = 0, car_cabin = 1, first_wheel = 2, wheel_count = 4;

// Where each car mesh's wheels turn: front and rear axle along x, and the wheel radius.
struct WheelBase {
    float front, rear, radius;
};
constexpr WheelBase wheel_bases[3] = {{2.6f, -2.6f, 0.8f}, {3.0f, -3.0f, 0.8f}, {3.0f, -2.6f, 0.9f}};

constexpr float hatchback_at[3] = {-13.5f, toys::road_y, 9.5f};
constexpr float hatchback_paint[3] = {0.55f, 0.62f, 0.7f};

// The old car drives the near road from 41 and parks by the pavement.
constexpr double ford_from = 41.0, ford_rate = 0.06;
constexpr float ford_scale = 0.5f, ford_from_x = -40.0f, ford_to_x = 9.0f;
constexpr float ford_paint[3] = {0.1f, 0.12f, 0.14f};

// The runners: along the walkway beside the board, towards +z, looping.
constexpr float runner_lanes[2] = {-0.8f, 0.8f};
constexpr float runner_speed[2] = {3.1f, 3.6f};
constexpr float runner_phase[2] = {0.0f, 19.0f};
constexpr float run_from_z = -46.0f, run_span = 54.0f;
constexpr double run_clip_rate = 17.0;
// The walkways' top and the raised slab on the first one.
constexpr float walkway_top = -2.68f, slab_top = -1.48f, slab_from_z = -7.4f, slab_to_z = 3.4f;

constexpr float plate_scale = 1.5f;
struct Plate {
    int group;
    float y, z;
};
constexpr Plate plates[3] = {{0, -1.48f, -2.0f}, {1, -2.68f, -2.8f}, {1, -2.68f, -36.0f}};

constexpr float maze_y = 1.8f, maze_scale = 5.0f, ceiling_y = 16.8f, far_maze_scale = 3.5f;

// Paint brightness by group for the tank: hull, turret, wheels, tracks.
constexpr float tank_paint[3] = {0.32f, 0.4f, 0.26f};

// One car by its groups at its place on the road, in the vehicle material.
void draw_car(ShaderLibrary& shaders, const Mesh& mesh, const toys::CarRun& car, const toys::CarPlace& at) {
    using toys::car_scale;
    const int p = toys::vehicle;
    const WheelBase& base = wheel_bases[car.model];
    shaders.set_switch(p, "isType2", car.type2);
    shaders.set_float(p, "randomize", car.paint[0]);
    glColor3f(car.paint[0], car.paint[1], car.paint[2]);
    glPushMatrix();
    glTranslatef(at.x, toys::road_y, at.z);
    glRotatef(at.heading, 0.0f, 1.0f, 0.0f);
    glScalef(car_scale, car_scale, car_scale);
    mesh.draw(car_body);
    mesh.draw(car_cabin);
    // Wheels turned for the distance driven.
    const float turn = static_cast<float>(-at.driven / (base.radius * car_scale) * 180.0 / pi);
    for (int w = 0; w < wheel_count; ++w) {
        const float axle = w < 2 ? base.front : base.rear;
        glPushMatrix();
        glTranslatef(axle, base.radius, 0.0f);
        glRotatef(turn, 0.0f, 0.0f, 1.0f);
        glTranslatef(-axle, -base.radius, 0.0f);
        mesh.draw(first_wheel + w);
        glPopMatrix();
    }
    glPopMatrix();
}

}  // namespace

void part_toys::use_vehicle_material() {
    const double t = state_.t;
    const int p = toys::vehicle;
    use_toy_program(p);
    shaders_.set_float(p, "MaterialMultiplier", 1.0f);
    shaders_.set_float(p, "PosY", static_cast<float>(state_.frame.camera_y));
    shaders_.set_switch(p, "isPressable", 0.0f);
    shaders_.set_switch(p, "isFord", 0.0f);
    shaders_.set_switch(p, "isType2", 0.0f);
    shaders_.set_float(p, "randomize", 0.0f);
    // The cars' lamps come on with their waves.
    shaders_.set_float(p, "ttimer1", static_cast<float>(eased_window(t, 21.0, 0.2)));
    shaders_.set_float(p, "ttimer2", static_cast<float>(eased_window(t, 41.0, 0.2)));
    shaders_.set_float(p, "timer1", static_cast<float>(toys::chess_timer(t)));
}

void part_toys::use_roadside_material() {
    use_vehicle_material();
    shaders_.set_switch(toys::vehicle, "isType2", 1.0f);
}

void part_toys::draw_hatchback(LitPass pass) {
    if (!toys::hatchback_window.drawn(pass, state_.t)) return;
    use_vehicle_material();
    glColor3f(hatchback_paint[0], hatchback_paint[1], hatchback_paint[2]);
    glPushMatrix();
    glTranslatef(hatchback_at[0], hatchback_at[1], hatchback_at[2]);
    glRotatef(70.0f, 0.0f, 1.0f, 0.0f);
    glScalef(toys::car_scale, toys::car_scale, toys::car_scale);
    meshes_[vehicle1_mesh].draw(-1);
    glPopMatrix();
}

void part_toys::draw_car_waves(LitPass pass) {
    const double t = state_.t;
    const bool first = toys::first_cars_window.drawn(pass, t),
               second = toys::second_cars_window.drawn(pass, t);
    if (!first && !second) return;
    use_vehicle_material();
    for (const toys::Wave* wave :
         {first ? &toys::first_wave : nullptr, second ? &toys::second_wave : nullptr}) {
        if (!wave) continue;
        for (const toys::CarRun& car : wave->cars)
            draw_car(shaders_, meshes_[vehicle1_mesh + car.model], car, toys::place_car(*wave, car, t));
    }
}

void part_toys::draw_wires(LitPass pass) {
    if (!toys::wires_window.drawn(pass, state_.t)) return;
    use_roadside_material();
    glColor3f(0.45f, 0.36f, 0.28f);
    glPushMatrix();
    glTranslatef(0.0f, toys::road_y + 1.0f, toys::wires_z);
    meshes_[wires_mesh].draw(-1);
    glPopMatrix();
}

void part_toys::draw_runners(LitPass pass) {
    const double t = state_.t;
    if (!toys::runners_window.drawn(pass, t)) return;
    use_roadside_material();
    glColor3f(0.78f, 0.72f, 0.62f);
    for (int i = 0; i < 2; ++i) {
        const float along = std::fmod(
            runner_phase[i] + runner_speed[i] * static_cast<float>(soft_ramp(t - toys::runners_window.from)),
            run_span);
        const float z = run_from_z + along;
        // On the slab where the walkway rises.
        const float y = z > slab_from_z && z < slab_to_z ? slab_top : walkway_top;
        draw_figure(i == 0 ? run : run2, toys::pavement_x + runner_lanes[i], y, z, 0.0f,
                    clip_frame((t - toys::runners_window.from) * run_clip_rate + 100.0 * i));
    }
}

void part_toys::draw_old_car(LitPass pass) {
    if (!toys::old_car_window.drawn(pass, state_.t)) return;
    use_roadside_material();
    shaders_.set_switch(toys::vehicle, "isFord", 1.0f);
    glColor3f(ford_paint[0], ford_paint[1], ford_paint[2]);
    glPushMatrix();
    const float ford_x = ford_from_x + (ford_to_x - ford_from_x) *
                                           static_cast<float>(eased_window(state_.t, ford_from, ford_rate));
    glTranslatef(ford_x, toys::road_y, toys::near_road_z - 3.0f);
    glScalef(ford_scale, ford_scale, ford_scale);
    meshes_[ford_mesh].draw(-1);
    glPopMatrix();
    shaders_.set_switch(toys::vehicle, "isFord", 0.0f);
}

void part_toys::draw_plates(LitPass pass) {
    use_roadside_material();
    glColor3f(0.58f, 0.56f, 0.52f);
    // One by one gone as the sea comes in.
    for (int i = 0; i < 3; ++i) {
        if (!toys::plate_windows[i].drawn(pass, state_.t)) continue;
        glPushMatrix();
        glTranslatef(toys::pavement_x, plates[i].y, plates[i].z);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glScalef(plate_scale, plate_scale, plate_scale);
        meshes_[pavement_mesh].draw(plates[i].group);
        glPopMatrix();
    }
}

void part_toys::draw_tank(bool tank_section_pass) {
    const double t = state_.t;
    const int p = tank_section_pass ? toys::tank_material : toys::vehicle;
    use_toy_program(p);
    shaders_.set_float(p, "PosY", static_cast<float>(state_.frame.camera_y));
    shaders_.set_float(p, "PP", static_cast<float>(state_.frame.camera_y));
    shaders_.set_switch(p, "isFord", 0.0f);
    shaders_.set_switch(p, "isType2", 0.0f);
    shaders_.set_float(p, "randomize", 0.0f);
    shaders_.set_switch(p, "istank", 0.0f);
    shaders_.set_float(p, "MaterialMultiplier", 1.0f);
    shaders_.set_float(p, "ttimer1", static_cast<float>(toys::tank_timer1(t)));
    shaders_.set_float(p, "ttimer2", static_cast<float>(toys::tank_timer2(t)));
    shaders_.set_float(p, "timer1", static_cast<float>(toys::chess_timer(t)));
    CameraRecord projector = context_->light_camera;
    if (tank_section_pass) projector.near_distance = 0.2;
    shaders_.set_projector_matrix(projector);
    glMatrixMode(GL_MODELVIEW);

    const toys::TankPlacement at = toys::tank_placement(t);
    // Hull, turret, wheels and tracks are closed (so is the maze): their inner faces culled,
    // the tank's stretch takes 1 to 2 ms less a frame.
    const InnerFacesCulled culled;
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, at.z);
    glTranslatef(at.x, at.y, 0.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    glScalef(toys::tank_scale, toys::tank_scale, toys::tank_scale);
    glColor3f(tank_paint[0], tank_paint[1], tank_paint[2]);
    meshes_[tank_mesh].draw(toys::tank_hull);
    glPushMatrix();
    glRotatef(static_cast<float>(toys::turret_angle(t)), 0.0f, 1.0f, 0.0f);
    meshes_[tank_mesh].draw(toys::tank_turret);
    glPopMatrix();
    glColor3f(0.2f, 0.2f, 0.18f);
    for (const toys::Axle& axle : toys::tank_axles) {
        glPushMatrix();
        glTranslatef(axle.x, axle.y, 0.0f);
        glRotatef(static_cast<float>(toys::wheel_angle(axle, t)), 0.0f, 0.0f, 1.0f);
        glTranslatef(-axle.x, -axle.y, 0.0f);
        meshes_[tank_mesh].draw(axle.group);
        glPopMatrix();
    }
    glColor3f(0.12f, 0.12f, 0.11f);
    for (int track : toys::tank_tracks) meshes_[tank_mesh].draw(track);
    glPopMatrix();
}

void part_toys::draw_maze(LitPass pass) {
    const double t = state_.t;
    const int p = toys::tank_material;
    shaders_.set_switch(p, "istank", 1.0f);
    glColor3f(0.55f, 0.5f, 0.42f);
    const InnerFacesCulled culled;
    glPushMatrix();
    glTranslatef(0.0f, maze_y, 0.0f);
    glScalef(maze_scale, maze_scale, maze_scale);
    meshes_[labyrinth_mesh].draw(1);
    glPopMatrix();
    if ((toys::maze_copies_passes & drawn_in_bit(pass))) {
        glPushMatrix();
        glTranslatef(0.0f, ceiling_y, 0.0f);
        glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
        glScalef(maze_scale, maze_scale, maze_scale);
        meshes_[labyrinth_mesh].draw(1);
        glPopMatrix();
        glPushMatrix();
        glTranslatef(21.0f, static_cast<float>(-2.0 + 3.0 * soft_ramp((t - 80.4) * 0.5)), 100.0f);
        glScalef(far_maze_scale, far_maze_scale, far_maze_scale);
        meshes_[labyrinth_mesh].draw(1);
        glPopMatrix();
    }
    shaders_.set_switch(p, "istank", 0.0f);
}
