// The places beyond the ants: the runners and walkers, the house under the moon, the big tree,
// and the diver among the faces that crack and fall away.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "core/easing.h"
#include "core/random.h"
#include "scenes/finale/finale_programs.h"
#include "scenes/finale/finale_stage.h"
#include "scenes/finale/finale_timeline.h"
#include "scenes/finale/finale_windows.h"
#include "scenes/finale/part_text.h"
#include "scenes/kit/kit.h"

namespace {

constexpr double clip_rate = 12.0;  // clip frames per clock second
constexpr uint32_t runner_seed = 423423, walker_seed = 42342;
constexpr int runner_count = 5, walker_count = 4;
// Runners come in from out of the picture on the right and leave it on the left.
constexpr double runners_enter_x = 18.0, runners_leave_x = -40.0;
// Walkers close in on the house's door (x = door_side from where they set out, the path's
// own lean aside), reach it at door_along and stop when they are inside, at walk_length.
constexpr double door_side = 0.57, door_along = 26.8, walk_length = 30.0;

float figure_frame(double t, double rate) { return ::clip_frame(t * rate * clip_rate); }

// The house's groups: walls, roof, windows, door, chimney, porch, with their colours and how
// much they light up from within (the windows come on from 60 and go out again from 117, when
// the walkers are in and the credits come).
struct HousePart {
    int group;
    float colour[3];
    float glow;
};
constexpr HousePart house_parts[6] = {
    {0, {0.5f, 0.47f, 0.42f}, 0.0f}, {1, {0.22f, 0.13f, 0.11f}, 0.0f}, {2, {1.0f, 0.62f, 0.28f}, 1.0f},
    {3, {0.3f, 0.2f, 0.14f}, 0.0f},  {4, {0.35f, 0.3f, 0.28f}, 0.0f},  {5, {0.42f, 0.38f, 0.33f}, 0.0f},
};
constexpr double windows_on = 60.0, windows_off = 117.0;

constexpr float tree_scale = 1.0f;
// The moving tree grows up beside the diver and bends in a rising wind.
constexpr Vector3 moving_tree_at{5.5f, 0.0f, -21.0f};

// The small faces circle the diver in two rings; each face of the faces mesh sits at
// x = −1.5 + group.
struct FaceRing {
    float radius, height, speed, scale;
};
constexpr FaceRing rings[2] = {{2.2f, 2.6f, 0.25f, 0.8f}, {3.4f, 3.6f, -0.17f, 0.95f}};

double shatter(double t, double end) {
    return std::clamp((t - (end - finale::shatter_lead)) / finale::shatter_lead, 0.0, 1.0);
}

}  // namespace

void part_text::draw_figure(Figure figure, float x, float z, float heading, float frame) {
    const FigurePlace place{{Vector3::ordinary, x, 0.0f, z}, heading, finale::figure_scale};
    const FigureSkin skin{meshes_[human4], meshes_[human4_coarse]};
    const PosedFigure posed = pose_figure(*figures_[figure], skin, frame);
    const Box box = posed.box.moved(place_matrix(place));
    if (hidden_from_pass(box.low, box.high)) return;
    ::draw_figure(*figures_[figure], skin, place, posed);
}

void part_text::draw_figures(double t) {
    const bool running = drawn(finale::runners, t), walking = drawn(finale::walkers, t);
    if (!running && !walking) return;
    const int program = finale::material1;
    shaders_.set_float(program, "isManRunning", 1.0f);
    glColor3f(0.36f, 0.37f, 0.42f);
    if (running) {
        // Across the field from right to left between the wall and the house, one after another.
        seed_random(runner_seed);
        for (int i = 0; i < runner_count; ++i) {
            const double delay = 2.2 * i + 1.5 * random_unit();
            const double speed = 3.0 + 0.6 * random_unit();
            const double z = -9.0 - 6.0 * random_unit();
            const double x = 18.0 - speed * (t - finale::runners.from - delay);
            if (x > runners_enter_x || x < runners_leave_x) continue;
            draw_figure(i % 2 ? run2 : run, static_cast<float>(x), static_cast<float>(z), -90.0f,
                        figure_frame(t + delay, 1.2));
        }
    }
    if (walking) {
        // Slowly up the path to the house, closing in on its door, and in.
        seed_random(walker_seed);
        for (int i = 0; i < walker_count; ++i) {
            const double side = 1.6 * random_unit() - 0.8;
            const double start = 2.0 * i;
            const double along = std::clamp((t - finale::walkers.from - start) * 0.55, 0.0, walk_length);
            const double to_door = std::clamp(along / door_along, 0.0, 1.0);
            const double x = -4.0 + side + (door_side - side) * to_door - 0.3 * along, z = -8.0 - 0.6 * along;
            draw_figure(walk, static_cast<float>(x), static_cast<float>(z), 206.0f, figure_frame(t + i, 0.8));
        }
    }
    shaders_.set_float(program, "isManRunning", 0.0f);
}

void part_text::draw_house(LitPass pass, double t) {
    if (!drawn(finale::house, t)) return;
    const int program = finale::material2;
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", noise_slot}, {"texture2d_3", bg10_slot}, {"texture2d_flower", tile_slot}},
                 "ttime", t);
    shaders_.set_float(program, "MaterialMultiplier", material_level(pass));
    shaders_.set_float(program, "ReflectPass", pass == LitPass::mirrored ? 1.0f : 0.0f);
    shaders_.set_float(program, "isLeaf", 0.0f);
    shaders_.set_float(program, "isBigTree", 0.0f);
    glPushMatrix();
    glTranslatef(finale::house_at.x, finale::house_at.y, finale::house_at.z);
    glRotatef(20.0f, 0.0f, 1.0f, 0.0f);
    for (const HousePart& part : house_parts) {
        const double on =
            part.glow * eased_window(t, windows_on, 0.5) * (1.0 - eased_window(t, windows_off, 0.25));
        shaders_.set_float(program, "Emission", static_cast<float>(on));
        glColor3fv(part.colour);
        meshes_[bighouse2].draw(part.group);
    }
    glPopMatrix();
    return_to_material1();
}

void part_text::draw_moon(double t) {
    if (!drawn(finale::moon, t)) return;
    const int program = finale::material1;
    // It rises bright and sinks into the night with the sky.
    shaders_.set_float(program, "isMoon", static_cast<float>(eased_window(t, finale::moon.from, 0.5)));
    const float level = static_cast<float>(finale::sky_level(t));
    glColor3f(level, level, level);
    glPushMatrix();
    glTranslatef(finale::moon_at.x, finale::moon_at.y, finale::moon_at.z);
    glScalef(finale::moon_radius, finale::moon_radius, finale::moon_radius);
    meshes_[sphere].draw(-1);
    glPopMatrix();
    shaders_.set_float(program, "isMoon", 0.0f);
}

void part_text::draw_tree(double t) {
    const bool trunk = drawn(finale::tree_trunk, t), leaves = drawn(finale::tree_leaves, t);
    const bool moving = drawn(finale::moving_tree, t) && drawn(finale::moving_tree_parts, t);
    if (!trunk && !leaves && !moving) return;
    const int program = finale::material2;
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", noise_slot}, {"texture2d_3", bg10_slot}, {"texture2d_flower", tile_slot}},
                 "ttime", t);
    shaders_.set_float(program, "MaterialMultiplier", material_level(LitPass::main));
    shaders_.set_float(program, "Emission", 0.0f);
    shaders_.set_float(program, "isBigTree", 0.0f);
    shaders_.set_float(program, "BigTreeMovement", 0.3f);
    const float bark[3] = {0.24f, 0.18f, 0.14f}, leaf[3] = {0.2f, 0.32f, 0.16f};
    glPushMatrix();
    glTranslatef(finale::tree_at.x, finale::tree_at.y, finale::tree_at.z);
    glScalef(tree_scale, tree_scale, tree_scale);
    if (trunk) {
        shaders_.set_float(program, "isLeaf", 0.0f);
        glColor3fv(bark);
        meshes_[tree3].draw(0);
    }
    if (leaves) {
        shaders_.set_float(program, "isLeaf", 1.0f);
        glColor3fv(leaf);
        meshes_[tree3].draw(1);
    }
    glPopMatrix();
    if (moving) {
        // Grows out of the ground, bends ever harder in the wind, and sinks back at the end.
        const double size = eased_window(t, finale::moving_tree_parts.from, 0.4) *
                            (1.0 - eased_window(t, finale::moving_tree_parts.to - 2.0, 0.5));
        shaders_.set_float(program, "isBigTree", 1.0f);
        shaders_.set_float(program, "BigTreeMovement",
                           static_cast<float>(0.4 + 0.6 * eased_window(t, 85.0, 0.08)));
        glPushMatrix();
        glTranslatef(moving_tree_at.x, moving_tree_at.y, moving_tree_at.z);
        glScalef(static_cast<float>(0.9 * size), static_cast<float>(0.9 * size),
                 static_cast<float>(0.9 * size));
        shaders_.set_float(program, "isLeaf", 0.0f);
        glColor3fv(bark);
        meshes_[tree3].draw(0);
        shaders_.set_float(program, "isLeaf", 1.0f);
        glColor3f(0.42f, 0.3f, 0.14f);
        meshes_[tree3].draw(1);
        glPopMatrix();
    }
    return_to_material1();
}

void part_text::draw_diver(double t) {
    if (!drawn(finale::diver, t)) return;
    const float bob = static_cast<float>(0.04 * std::sin(1.3 * t));
    glPushMatrix();
    glTranslatef(finale::diver_at.x, finale::diver_at.y + bob, finale::diver_at.z);
    glRotatef(static_cast<float>(8.0 * std::sin(0.3 * t)), 0.0f, 1.0f, 0.0f);
    glScalef(finale::diver_scale, finale::diver_scale, finale::diver_scale);
    glColor3f(0.45f, 0.42f, 0.36f);
    meshes_[diver].draw(0);
    glColor3f(0.72f, 0.5f, 0.22f);
    meshes_[diver].draw(1);
    glColor3f(0.2f, 0.2f, 0.22f);
    meshes_[diver].draw(2);
    glPopMatrix();
}

void part_text::draw_faces(LitPass pass, double t) {
    if (t <= finale::faces_from) return;
    const int program = finale::material1;
    shaders_.set_float(program, "issmallFace", 1.0f);
    const double appear = eased_window(t, finale::faces_from, 0.4);
    draw_face_rings(t, appear);
    // One more calm face, large, looking down on the diver.
    if (drawn(finale::extra_face, t)) {
        shaders_.set_float(program, "FaceNum", 3.0f);
        shaders_.set_float(program, "Shatter", static_cast<float>(shatter(t, finale::extra_face.to)));
        glColor3f(0.7f, 0.66f, 0.6f);
        glPushMatrix();
        glTranslatef(0.0f, 5.0f, -16.0f);
        glRotatef(25.0f, 1.0f, 0.0f, 0.0f);
        const float s = static_cast<float>(1.8 * eased_window(t, finale::extra_face.from, 0.3));
        glScalef(s, s, s);
        glTranslatef(-1.5f, 0.0f, 0.0f);
        meshes_[faces].draw(3);
        glPopMatrix();
    }
    draw_mosaic(pass, t, appear);
    shaders_.set_float(program, "issmallFace", 0.0f);
    shaders_.set_float(program, "Shatter", 0.0f);
}

void part_text::draw_face_rings(double t, double appear) {
    const int program = finale::material1;
    for (int ring = 0; ring < 2; ++ring) {
        const auto& ends = ring == 0 ? finale::face_ends_a : finale::face_ends_b;
        const FaceRing& r = rings[ring];
        for (size_t k = 0; k < finale::face_groups.size(); ++k) {
            if (t >= ends[k]) continue;
            const int group = finale::face_groups[k];
            const double angle = r.speed * (t - finale::faces_from) * 57.29578 + 90.0 * k + 45.0 * ring;
            shaders_.set_float(program, "FaceNum", static_cast<float>(group));
            shaders_.set_float(program, "Shatter", static_cast<float>(shatter(t, ends[k])));
            glColor3f(0.85f, 0.8f, 0.74f);
            glPushMatrix();
            glTranslatef(
                finale::faces_centre.x,
                static_cast<float>(finale::faces_centre.y + (r.height - 2.2f) + 0.15 * std::sin(t + k)),
                finale::faces_centre.z);
            glRotatef(static_cast<float>(angle), 0.0f, 1.0f, 0.0f);
            glTranslatef(0.0f, 0.0f, r.radius);
            glScalef(static_cast<float>(r.scale * appear), static_cast<float>(r.scale * appear),
                     static_cast<float>(r.scale * appear));
            glTranslatef(1.5f - group, 0.0f, 0.0f);
            meshes_[faces].draw(group);
            glPopMatrix();
        }
    }
}

void part_text::draw_mosaic(LitPass pass, double t, double appear) {
    // The mosaic face behind the diver, its upper and lower halves falling away in turn, and its
    // dark imprint just behind it.
    const int program = finale::material1;
    const bool light = pass == LitPass::light;
    const double imprint_end = light ? finale::mosaic_light_end : finale::mosaic_view_end;
    const struct {
        int group;
        double end;
        float scale, depth, grey;
    } halves[4] = {{0, finale::mosaic_upper_end, 1.6f, 0.0f, 0.9f},
                   {1, finale::mosaic_lower_end, 1.6f, 0.0f, 0.9f},
                   {0, imprint_end, 1.75f, -0.5f, 0.18f},
                   {1, imprint_end, 1.75f, -0.5f, 0.18f}};
    for (const auto& half : halves) {
        if (t >= half.end) continue;
        shaders_.set_float(program, "FaceNum", static_cast<float>(4 + half.group));
        shaders_.set_float(program, "Shatter", static_cast<float>(shatter(t, half.end)));
        glColor3f(half.grey, half.grey * 0.95f, half.grey * 0.9f);
        glPushMatrix();
        glTranslatef(finale::mosaic_at.x, finale::mosaic_at.y, finale::mosaic_at.z + half.depth);
        const float s = static_cast<float>(half.scale * appear);
        glScalef(s, s, s);
        meshes_[bait3].draw(half.group);
        glPopMatrix();
    }
}
