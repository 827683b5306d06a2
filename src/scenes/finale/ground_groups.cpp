// On the ground: the wet ground itself, the ants, the tubes growing among them and the wall
// whose bricks fly towards them.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "anim/spline.h"
#include "anim/tube.h"
#include "core/easing.h"
#include "core/matrix4.h"
#include "core/random.h"
#include "scenes/finale/ant_drawing.h"
#include "scenes/finale/finale_programs.h"
#include "scenes/finale/finale_stage.h"
#include "scenes/finale/finale_timeline.h"
#include "scenes/finale/finale_windows.h"
#include "scenes/finale/part_text.h"
#include "scenes/finale/wall_bricks.h"
#include "scenes/kit/coarse_mesh.h"
#include "scenes/kit/kit.h"
#include "scenes/kit/screen_area.h"

namespace {

// The ground: a grid of quads around the places, fine enough for the fog and the reflection.
constexpr int ground_cells = 28;

// Ants cover 0.36 units per unit of phase: about 0.08 a leg cycle.
constexpr double ant_stride = 0.36;
constexpr uint32_t colony_seed = 423439;
constexpr int colony_size = 14;
constexpr float ant_colour[3] = {0.3f, 0.13f, 0.07f};
constexpr float ant_lift = 0.045f;  // an ant's origin above the ground

// A single ant walks a straight line from `from` along `heading` (degrees, 0 = towards −z).
struct SingleAnt {
    float from_x, from_z, heading;
};
constexpr SingleAnt single_ant_paths[4] = {
    {-0.8f, 0.4f, 70.0f}, {0.5f, -0.6f, -120.0f}, {-1.9f, 0.35f, 95.0f}, {0.7f, 0.9f, 160.0f}};
// The second ant turns onto a new line at the switch.
constexpr SingleAnt switched_ant{0.2f, -0.4f, 200.0f};

constexpr uint32_t tube_seed = 4434234;
constexpr int tube_groups = 5, tubes_per_group = 3, tube_points = 7;
constexpr int tube_segments = 24, tube_sides = 6;
constexpr double tube_side = 3.5 - pi;

// A box round a tube: its control points' box grown by its radius and by how far the curve
// through them swings out (a Catmull-Rom span's weights dip to −0.074 at each end, so the curve
// leaves the points' box by less than a sixth of its size).
std::pair<Vector3, Vector3> tube_box(const Spline& spline, float radius) {
    Vector3 low = spline.points.front(), high = low;
    for (const Vector3& p : spline.points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const Vector3 size = high - low;
    const Vector3 grow = size * (1.0f / 6.0f) + Vector3{radius, radius, radius};
    return {low - grow, high + grow};
}

constexpr double flight_steps_per_second = 25.0;
constexpr float brick_colour[3] = {0.42f, 0.2f, 0.14f};

}  // namespace

void part_text::draw_ground(LitPass pass, double t) {
    if (!drawn(finale::ground, t)) return;
    const int program = finale::material1sea;
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", noise_slot},
                  {"texture2d_flower", tile_slot},
                  {"texture2d_reflection", textures_.second_output},
                  {"texture2d_2", textures_.prepass_depth}},
                 "ttime", t);
    shaders_.set_float(program, "MaterialMultiplier", material_level(pass));
    shaders_.set_float(program, "ReflectLevel", finale::mirrored_pass.holds(t) ? 1.0f : 0.0f);
    shaders_.set_vec3(program, "ScreenSize", static_cast<float>(sizes_.render_width),
                      static_cast<float>(sizes_.render_height), 0.0f);
    shaders_.set_float(program, "SkyLevel", static_cast<float>(finale::sky_level(t)));
    glColor3f(0.16f, 0.14f, 0.13f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    using finale::ground_from_x, finale::ground_from_z;
    const float dx = (finale::ground_to_x - ground_from_x) / ground_cells,
                dz = (finale::ground_to_z - ground_from_z) / ground_cells;
    glBegin(GL_QUADS);
    for (int i = 0; i < ground_cells; ++i)
        for (int j = 0; j < ground_cells; ++j) {
            const float x0 = ground_from_x + i * dx, z0 = ground_from_z + j * dz;
            glTexCoord2f(x0, z0);
            glVertex3f(x0, 0.0f, z0);
            glTexCoord2f(x0, z0 + dz);
            glVertex3f(x0, 0.0f, z0 + dz);
            glTexCoord2f(x0 + dx, z0 + dz);
            glVertex3f(x0 + dx, 0.0f, z0 + dz);
            glTexCoord2f(x0 + dx, z0);
            glVertex3f(x0 + dx, 0.0f, z0);
        }
    glEnd();
    return_to_material1();
}

void part_text::draw_ants(double t) {
    const bool colony = drawn(finale::colony, t);
    bool any = colony;
    for (const ElementWindow& w : finale::single_ants) any = any || drawn(w, t);
    if (!any) return;
    glColor3f(ant_colour[0], ant_colour[1], ant_colour[2]);

    // Whatever the heading and the legs' swing, an ant keeps within `reach` of its own origin.
    const float reach = 1.25f * meshes_[ant].reach();
    auto draw_at = [&](float x, float z, float heading, double phase) {
        const Vector3 low{x - reach, ant_lift - reach, z - reach},
            high{x + reach, ant_lift + reach, z + reach};
        if (hidden_from_pass(low, high)) return;
        glPushMatrix();
        glTranslatef(x, ant_lift, z);
        glRotatef(heading, 0.0f, 1.0f, 0.0f);
        finale::draw_ant(
            mesh_for_size(meshes_[ant], meshes_[ant_coarse], low, high, pass_modelview_, pass_projection_),
            phase);
        glPopMatrix();
    };

    if (colony) {
        // Each ant circles its own patch of ground at its own pace.
        seed_random(colony_seed);
        for (int i = 0; i < colony_size; ++i) {
            const double phase = 10.0 * random_unit() + 0.07 * t;
            const double cx = 2.6 * random_unit() - 1.3, cz = 2.6 * random_unit() - 1.5;
            const double radius = 0.3 + 0.5 * random_unit();
            const double direction = random_unit() < 0.5 ? -1.0 : 1.0;
            const double angle = direction * phase * ant_stride / radius;
            const float x = static_cast<float>(cx + radius * std::cos(angle));
            const float z = static_cast<float>(cz + radius * std::sin(angle));
            // Facing along the circle: the mesh looks down −z.
            const float heading = static_cast<float>(-angle * 180.0 / pi + (direction > 0 ? 180.0 : 0.0));
            draw_at(x, z, heading, phase);
        }
    }
    for (size_t i = 0; i < finale::single_ants.size(); ++i) {
        const ElementWindow& window = finale::single_ants[i];
        if (!drawn(window, t)) continue;
        const double phase = t / 2.0;
        SingleAnt a = single_ant_paths[i];
        double walked = (t - window.from) * 0.5 * ant_stride;
        if (i == 1 && t > finale::ant_switch) {
            a = switched_ant;
            walked = (t - finale::ant_switch) * 0.5 * ant_stride;
        }
        const double h = a.heading * pi / 180.0;
        draw_at(static_cast<float>(a.from_x - std::sin(h) * walked),
                static_cast<float>(a.from_z - std::cos(h) * walked), a.heading, phase);
    }
}

void part_text::draw_tubes(double t) {
    if (!drawn(finale::tubes, t)) return;
    shaders_.set_float(finale::material1, "Emission", 0.35f);
    const Vector3 up{Vector3::ordinary, 0.0f, 1.0f, 0.0f};
    for (int g = 0; g < tube_groups; ++g) {
        seed_random(tube_seed + 7 * g);
        const double start = 22.0 + 4.5 * g;
        const double grown = eased_window(t, start, 0.12);
        if (grown <= 0.0) continue;
        for (int k = 0; k < tubes_per_group; ++k) {
            // Rooted round the colony, leaning outwards and curling over at the top.
            // On the far side of the colony from where the camera circles (at angles about
            // 3 to 4 radians), between the ants and the horizon.
            const double root_angle = tube_side + 2.4 * (random_unit() - 0.5);
            const double root_distance = 1.6 + 1.8 * random_unit();
            const double height = 0.6 + 1.2 * random_unit();
            const double curl = 0.4 + 0.6 * random_unit();
            const double radius = 0.025 + 0.02 * random_unit();
            const double rx = root_distance * std::sin(root_angle), rz = root_distance * std::cos(root_angle);
            Spline spline;
            spline.closed = false;
            for (int p = 0; p < tube_points; ++p) {
                // Points 0 and tube_points − 1 only steer the ends.
                const double f = std::clamp((p - 1.0) / (tube_points - 3.0), -0.2, 1.2);
                const double sway = 0.08 * std::sin(0.6 * t + g + k) * f;
                const double out = curl * f * f;
                const double x = rx + std::sin(root_angle) * out + sway;
                const double z = rz + std::cos(root_angle) * out;
                spline.append({Vector3::ordinary, static_cast<float>(x),
                               static_cast<float>(height * std::sin(f * 1.3)), static_cast<float>(z)});
                spline.channel2.push_back(
                    {Vector3::ordinary, static_cast<float>(radius * (1.0 - 0.75 * std::clamp(f, 0.0, 1.0))),
                     0.0f, 0.0f});
            }
            spline.count = tube_points;
            const auto [low, high] = tube_box(spline, static_cast<float>(radius));
            if (hidden_from_pass(low, high)) continue;
            glColor3f(0.16f + 0.05f * g, 0.34f, 0.3f + 0.05f * k);
            draw_tube_window(spline, up, 1.0, tube_points - 2.0, tube_segments, tube_sides, 0.0, grown);
        }
    }
    shaders_.set_float(finale::material1, "Emission", 0.0f);
}

void part_text::place_wall(double t) {
    wall_.faces.clear();
    if (!finale::wall.holds(t) || flight_paths_.empty()) return;
    const double step = std::max(0.0, (t - finale::flight_from) * flight_steps_per_second);
    finale::place_bricks(meshes_[wall], flight_paths_, step, wall_);
}

void part_text::draw_wall(double t) {
    if (!drawn(finale::wall, t) || wall_.faces.empty()) return;
    // The wall's own axes are the world's turned half round about y, scaled and moved.
    const Vector3& at = finale::wall_at;
    const float s = finale::wall_scale;
    if (hidden_from_pass({at.x - s * wall_.high.x, at.y + s * wall_.low.y, at.z - s * wall_.high.z},
                         {at.x - s * wall_.low.x, at.y + s * wall_.high.y, at.z - s * wall_.low.z}))
        return;
    glColor3f(brick_colour[0], brick_colour[1], brick_colour[2]);
    glPushMatrix();
    glTranslatef(finale::wall_at.x, finale::wall_at.y, finale::wall_at.z);
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    glScalef(finale::wall_scale, finale::wall_scale, finale::wall_scale);
    Matrix4 modelview, projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    finale::seen_quads(wall_, viewpoint(modelview, projection), wall_quads_);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(finale::BrickVertex), wall_quads_.data()->position);
    glNormalPointer(GL_FLOAT, sizeof(finale::BrickVertex), wall_quads_.data()->normal);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(wall_quads_.size()));
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
}
