// The places beyond the ants: the runners and walkers, the house under the moon, the big tree,
// and the diver among the faces that crack and fall away.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "core/easing.h"
#include "core/random.h"
#include "scenes/kit/kit.h"
#include "scenes/text/part_text.h"
#include "scenes/text/text_programs.h"
#include "scenes/text/text_stage.h"
#include "scenes/text/text_timeline.h"
#include "scenes/text/text_windows.h"

namespace tw = text_windows;
namespace tt = text_timeline;
namespace ts = text_stage;

namespace {

constexpr double clip_rate = 12.0;  // clip frames per clock second
constexpr double max_frame = 1000001.0;
constexpr uint32_t runner_seed = 423423, walker_seed = 42342;
constexpr int runner_count = 5, walker_count = 4;

float clip_frame(double t, double rate) {
    return static_cast<float>(std::fmod(t * rate * clip_rate, max_frame));
}

// The house's groups: walls, roof, windows, door, chimney, porch, with their colours and how
// much they light up from within (the windows come on one after another from 60).
struct HousePart {
    int group;
    float colour[3];
    float glow;
};
constexpr HousePart house_parts[6] = {
    {0, {0.5f, 0.47f, 0.42f}, 0.0f}, {1, {0.22f, 0.13f, 0.11f}, 0.0f}, {2, {1.0f, 0.62f, 0.28f}, 1.0f},
    {3, {0.3f, 0.2f, 0.14f}, 0.0f},  {4, {0.35f, 0.3f, 0.28f}, 0.0f},  {5, {0.42f, 0.38f, 0.33f}, 0.0f},
};
constexpr double windows_on = 60.0;

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
    return std::clamp((t - (end - tw::shatter_lead)) / tw::shatter_lead, 0.0, 1.0);
}

}  // namespace

void part_text::draw_figure(Figure figure, float x, float z, float heading, float frame) {
    glPushMatrix();
    glTranslatef(x, 0.0f, z);
    glRotatef(heading, 0.0f, 1.0f, 0.0f);
    glScalef(ts::figure_scale, ts::figure_scale, ts::figure_scale);
    body& b = *figures_[figure];
    b.frame = frame;
    b.draw(meshes_[human4], 1.0, 1.0, 1.0);
    glPopMatrix();
}

void part_text::draw_figures(double t) {
    const bool running = tw::runners.holds(t), walking = tw::walkers.holds(t);
    if (!running && !walking) return;
    const int program = text::material1;
    shaders_.set_float(program, "isManRunning", 1.0f);
    glColor3f(0.36f, 0.37f, 0.42f);
    if (running) {
        // Across the field from right to left between the wall and the house, one after another.
        seed_random(runner_seed);
        for (int i = 0; i < runner_count; ++i) {
            const double delay = 2.2 * i + 1.5 * random_unit();
            const double speed = 3.0 + 0.6 * random_unit();
            const double z = -9.0 - 6.0 * random_unit();
            const double x = 18.0 - speed * (t - tw::runners.from - delay);
            if (x > 18.0 || x < -22.0) continue;
            draw_figure(i % 2 ? run2 : run, static_cast<float>(x), static_cast<float>(z), -90.0f,
                        clip_frame(t + delay, 1.2));
        }
    }
    if (walking) {
        // Slowly up the path to the house.
        seed_random(walker_seed);
        for (int i = 0; i < walker_count; ++i) {
            const double side = 1.6 * random_unit() - 0.8;
            const double start = 2.0 * i;
            const double along = std::clamp((t - tw::walkers.from - start) * 0.55, 0.0, 30.0);
            const double x = -4.0 + side - 0.3 * along, z = -8.0 - 0.6 * along;
            draw_figure(walk, static_cast<float>(x), static_cast<float>(z), 206.0f, clip_frame(t + i, 0.8));
        }
    }
    shaders_.set_float(program, "isManRunning", 0.0f);
}

void part_text::draw_house(LitPass pass, double t) {
    if (!tw::house.holds(t)) return;
    const int program = text::material2;
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", noise_slot}, {"texture2d_3", bg10_slot}, {"texture2d_flower", tile_slot}},
                 "ttime", t);
    shaders_.set_float(program, "MaterialMultiplier", material_level(pass));
    shaders_.set_float(program, "ReflectPass", pass == LitPass::mirrored ? 1.0f : 0.0f);
    shaders_.set_float(program, "isLeaf", 0.0f);
    shaders_.set_float(program, "isBigTree", 0.0f);
    glPushMatrix();
    glTranslatef(ts::house_at.x, ts::house_at.y, ts::house_at.z);
    glRotatef(20.0f, 0.0f, 1.0f, 0.0f);
    for (const HousePart& part : house_parts) {
        const double on = part.glow * eased_window(t, windows_on, 0.5);
        shaders_.set_float(program, "Emission", static_cast<float>(on));
        glColor3fv(part.colour);
        meshes_[bighouse2].draw(part.group);
    }
    glPopMatrix();
    shaders_.use_program(text::material1);
}

void part_text::draw_moon(LitPass pass, double t) {
    if (pass != LitPass::main || t <= tw::moon_from || t >= tw::moon_until) return;
    const int program = text::material1;
    // It rises bright and sinks into the night with the sky.
    shaders_.set_float(program, "isMoon", static_cast<float>(eased_window(t, tw::moon_from, 0.5)));
    const float level = static_cast<float>(tt::sky_level(t));
    glColor3f(level, level, level);
    glPushMatrix();
    glTranslatef(ts::moon_at.x, ts::moon_at.y, ts::moon_at.z);
    glScalef(ts::moon_radius, ts::moon_radius, ts::moon_radius);
    meshes_[sphere].draw(-1);
    glPopMatrix();
    shaders_.set_float(program, "isMoon", 0.0f);
}

void part_text::draw_tree(double t) {
    const bool trunk = tw::tree_trunk.holds(t), leaves = tw::tree_leaves.holds(t);
    const bool moving = tw::moving_tree.holds(t) && tw::moving_tree_parts.holds(t);
    if (!trunk && !leaves && !moving) return;
    const int program = text::material2;
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", noise_slot}, {"texture2d_3", bg10_slot}, {"texture2d_flower", tile_slot}},
                 "ttime", t);
    shaders_.set_float(program, "MaterialMultiplier", material_level(LitPass::main));
    shaders_.set_float(program, "Emission", 0.0f);
    shaders_.set_float(program, "isBigTree", 0.0f);
    shaders_.set_float(program, "BigTreeMovement", 0.3f);
    const float bark[3] = {0.24f, 0.18f, 0.14f}, leaf[3] = {0.2f, 0.32f, 0.16f};
    glPushMatrix();
    glTranslatef(ts::tree_at.x, ts::tree_at.y, ts::tree_at.z);
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
        const double size = eased_window(t, tw::moving_tree_parts.from, 0.4) *
                            (1.0 - eased_window(t, tw::moving_tree_parts.to - 2.0, 0.5));
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
    shaders_.use_program(text::material1);
}

void part_text::draw_diver_and_faces(LitPass pass, double t) {
    const int program = text::material1;
    if (tw::diver.holds(t)) {
        const float bob = static_cast<float>(0.04 * std::sin(1.3 * t));
        glPushMatrix();
        glTranslatef(ts::diver_at.x, ts::diver_at.y + bob, ts::diver_at.z);
        glRotatef(static_cast<float>(8.0 * std::sin(0.3 * t)), 0.0f, 1.0f, 0.0f);
        glScalef(ts::diver_scale, ts::diver_scale, ts::diver_scale);
        glColor3f(0.45f, 0.42f, 0.36f);
        meshes_[diver].draw(0);
        glColor3f(0.72f, 0.5f, 0.22f);
        meshes_[diver].draw(1);
        glColor3f(0.2f, 0.2f, 0.22f);
        meshes_[diver].draw(2);
        glPopMatrix();
    }
    if (t <= tw::faces_from) return;

    shaders_.set_float(program, "issmallFace", 1.0f);
    const double appear = eased_window(t, tw::faces_from, 0.4);
    for (int ring = 0; ring < 2; ++ring) {
        const auto& ends = ring == 0 ? tw::face_ends_a : tw::face_ends_b;
        const FaceRing& r = rings[ring];
        for (size_t k = 0; k < tw::face_groups.size(); ++k) {
            if (t >= ends[k]) continue;
            const int group = tw::face_groups[k];
            const double angle = r.speed * (t - tw::faces_from) * 57.29578 + 90.0 * k + 45.0 * ring;
            shaders_.set_float(program, "FaceNum", static_cast<float>(group));
            shaders_.set_float(program, "Shatter", static_cast<float>(shatter(t, ends[k])));
            glColor3f(0.85f, 0.8f, 0.74f);
            glPushMatrix();
            glTranslatef(ts::faces_centre.x,
                         static_cast<float>(ts::faces_centre.y + (r.height - 2.2f) + 0.15 * std::sin(t + k)),
                         ts::faces_centre.z);
            glRotatef(static_cast<float>(angle), 0.0f, 1.0f, 0.0f);
            glTranslatef(0.0f, 0.0f, r.radius);
            glScalef(static_cast<float>(r.scale * appear), static_cast<float>(r.scale * appear),
                     static_cast<float>(r.scale * appear));
            glTranslatef(1.5f - group, 0.0f, 0.0f);
            meshes_[faces].draw(group);
            glPopMatrix();
        }
    }
    // One more calm face, large, looking down on the diver.
    if (tw::extra_face.holds(t)) {
        shaders_.set_float(program, "FaceNum", 3.0f);
        shaders_.set_float(program, "Shatter", static_cast<float>(shatter(t, tw::extra_face.to)));
        glColor3f(0.7f, 0.66f, 0.6f);
        glPushMatrix();
        glTranslatef(0.0f, 5.0f, -16.0f);
        glRotatef(25.0f, 1.0f, 0.0f, 0.0f);
        const float s = static_cast<float>(1.8 * eased_window(t, tw::extra_face.from, 0.3));
        glScalef(s, s, s);
        glTranslatef(-1.5f, 0.0f, 0.0f);
        meshes_[faces].draw(3);
        glPopMatrix();
    }
    // The mosaic face behind him, its upper and lower halves falling away in turn, and its
    // dark imprint just behind it.
    const bool light = pass == LitPass::light;
    const double imprint_end = light ? tw::mosaic_light_end : tw::mosaic_view_end;
    const struct {
        int group;
        double end;
        float scale, depth, grey;
    } halves[4] = {{0, tw::mosaic_upper_end, 1.6f, 0.0f, 0.9f},
                   {1, tw::mosaic_lower_end, 1.6f, 0.0f, 0.9f},
                   {0, imprint_end, 1.75f, -0.5f, 0.18f},
                   {1, imprint_end, 1.75f, -0.5f, 0.18f}};
    for (const auto& half : halves) {
        if (t >= half.end) continue;
        shaders_.set_float(program, "FaceNum", static_cast<float>(4 + half.group));
        shaders_.set_float(program, "Shatter", static_cast<float>(shatter(t, half.end)));
        glColor3f(half.grey, half.grey * 0.95f, half.grey * 0.9f);
        glPushMatrix();
        glTranslatef(ts::mosaic_at.x, ts::mosaic_at.y, ts::mosaic_at.z + half.depth);
        const float s = static_cast<float>(half.scale * appear);
        glScalef(s, s, s);
        meshes_[bait3].draw(half.group);
        glPopMatrix();
    }
    shaders_.set_float(program, "issmallFace", 0.0f);
    shaders_.set_float(program, "Shatter", 0.0f);
}
