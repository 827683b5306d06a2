// The end of the night: the glowing backdrop and the credits, the point and billboard layers,
// and the sky.
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

constexpr uint32_t credits_seed = 42342;
constexpr uint32_t layer_seed = 23423;

// Credits lines: mesh, group, and where the line's sheet sits below the first.
struct CreditLine {
    int mesh;
    int group;
    float drop;
};
constexpr CreditLine credit_line_meshes[4] = {{part_text::asm1, 0, 0.0f},
                                              {part_text::asm1, 1, 0.0f},
                                              {part_text::asm2, 0, finale::credits_sheet_drop},
                                              {part_text::asm2, 1, finale::credits_sheet_drop}};

// The backdrop: a wide card behind the lettering that shows the glow texture.
constexpr float backdrop_behind = 3.0f, backdrop_width = 26.0f, backdrop_height = 15.0f;

// The layers (their windows in finale_windows.h), as points or camera-facing cards.
struct Layer {
    bool cards;  // billboards (program 3019) or points (3015)
    int count;
    float centre[3];  // the region they drift in
    float spread[3];
    float rise;  // units per clock second, wrapping over the region's height
    float size;
    float colour[3];
    bool ends_with_music;
};
constexpr Layer layers[6] = {
    // sparks by the credits
    {true, 70, {0.0f, 3.0f, -27.0f}, {16.0f, 7.0f, 4.0f}, 0.35f, 0.09f, {0.9f, 0.62f, 0.3f}, true},
    // fireflies in the field
    {true, 40, {4.0f, 1.5f, -20.0f}, {22.0f, 2.5f, 12.0f}, 0.05f, 0.07f, {0.55f, 0.75f, 0.25f}, false},
    // dust over the field
    {false, 260, {0.0f, 1.5f, -14.0f}, {30.0f, 3.0f, 24.0f}, 0.02f, 0.03f, {0.35f, 0.38f, 0.45f}, false},
    // fireflies at the house
    {false, 120, {-13.0f, 2.0f, -24.0f}, {10.0f, 4.0f, 8.0f}, 0.1f, 0.05f, {0.85f, 0.8f, 0.35f}, false},
    // pollen from the tree
    {false, 200, {11.0f, 7.0f, -24.0f}, {12.0f, 10.0f, 10.0f}, -0.3f, 0.04f, {0.55f, 0.62f, 0.3f}, false},
    // embers behind the credits
    {false, 240, {0.0f, 4.0f, -30.0f}, {24.0f, 12.0f, 6.0f}, 0.5f, 0.05f, {1.0f, 0.55f, 0.2f}, true},
};

float wrap(float v, float span) {
    const float w = std::fmod(v + span / 2.0f, span);
    return (w < 0.0f ? w + span : w) - span / 2.0f;
}

// The layer's points or cards at t, `from` its start, each drifting and blinking about its place
// (the places come from the show's generator, seeded alike for every layer). Cards face the
// camera: right and up are its axes.
void emit_layer(const Layer& layer, double from, double t, float level, const Vector3& right,
                const Vector3& up) {
    seed_random(layer_seed);
    glBegin(layer.cards ? GL_QUADS : GL_POINTS);
    for (int k = 0; k < layer.count; ++k) {
        float p[3], drift[3];
        for (int a = 0; a < 3; ++a) p[a] = static_cast<float>(random_unit() - 0.5) * layer.spread[a];
        for (int a = 0; a < 3; ++a) drift[a] = static_cast<float>(random_unit() - 0.5);
        const float blink = static_cast<float>(
            0.55 + 0.45 * std::sin(2.3 * t * (0.5 + random_unit()) + 6.28 * random_unit()));
        const float ft = static_cast<float>(t - from);
        const float x = layer.centre[0] + p[0] + 0.3f * std::sin(0.4f * ft + drift[0] * 6.0f);
        const float y = layer.centre[1] + wrap(p[1] + layer.rise * ft * (0.6f + drift[1]), layer.spread[1]);
        const float z = layer.centre[2] + p[2] + 0.3f * std::cos(0.3f * ft + drift[2] * 6.0f);
        const float c = level * blink;
        glColor3f(layer.colour[0] * c, layer.colour[1] * c, layer.colour[2] * c);
        if (layer.cards) {
            Vector3 r = right, u = up;
            draw_billboard(layer.size * 2.0, layer.size * 2.0, {Vector3::ordinary, x, y, z}, r, u);
        } else {
            glVertex3f(x, y, z);
        }
    }
    glEnd();
}

}  // namespace

void part_text::draw_backdrop(double t) {
    if (!drawn(finale::backdrop, t)) return;
    const int program = finale::billboards;
    use_material(shaders_, *context_, program, {{"texture2d_1", glow_slot}, {"texture2d_blob", blob_slot}});
    shaders_.set_float(program, "Mode", 1.0f);
    const float level = static_cast<float>(eased_window(t, finale::backdrop.from, 0.25) *
                                           finale::glow_level(t, state_.frame.show_time));
    glColor3f(level, level, level);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    const float z = finale::credits_at.z - backdrop_behind, y = finale::credits_at.y - 4.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-backdrop_width, y - backdrop_height, z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(backdrop_width, y - backdrop_height, z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(backdrop_width, y + backdrop_height, z);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-backdrop_width, y + backdrop_height, z);
    glEnd();
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    return_to_material1();
}

void part_text::draw_credits(double t) {
    if (!drawn(finale::credits, t)) return;
    const int program = finale::material3;
    use_material(shaders_, *context_, program, {{"texture2d_1", noise_slot}, {"texture2d_glow", glow_slot}},
                 "ttime", t);
    shaders_.set_float(program, "isCredits", t > finale::credits_material_after ? 1.0f : 0.0f);
    shaders_.set_float(program, "Level", static_cast<float>(finale::ending_level(state_.frame.show_time)));
    shaders_.set_vec3(program, "ScreenSize", static_cast<float>(sizes_.render_width),
                      static_cast<float>(sizes_.render_height), 0.0f);
    seed_random(credits_seed);
    for (size_t i = 0; i < finale::credit_line_starts.size(); ++i) {
        const CreditLine& line = credit_line_meshes[i];
        const double appear = eased_window(t, finale::credit_line_starts[i], 0.4);
        const float shimmer = static_cast<float>(random_unit());
        if (appear <= 0.0) continue;
        shaders_.set_float(program, "Appear", static_cast<float>(appear));
        shaders_.set_float(program, "Shimmer", shimmer);
        glColor3f(0.95f, 0.78f, 0.5f);
        glPushMatrix();
        glTranslatef(finale::credits_at.x, finale::credits_at.y - line.drop * finale::credits_scale,
                     finale::credits_at.z);
        // Each line swings in from a quarter turn.
        glRotatef(static_cast<float>(70.0 * (1.0 - appear)), 1.0f, 0.0f, 0.0f);
        glScalef(finale::credits_scale, finale::credits_scale, finale::credits_scale);
        meshes_[line.mesh].draw(line.group);
        glPopMatrix();
    }
    return_to_material1();
}

void part_text::draw_layers(double t) {
    const CameraRecord& view = context_->view_camera;
    Vector3 forward = view.centre - view.eye;
    normalise(forward);
    Vector3 right = cross(forward, view.up);
    normalise(right);
    const Vector3 up = cross(right, forward);
    const float ending = static_cast<float>(finale::ending_level(state_.frame.show_time));

    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_POINT_SPRITE);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    for (size_t i = 0; i < std::size(layers); ++i) {
        const Layer& layer = layers[i];
        const ElementWindow& window = finale::layers[i];
        if (!drawn(window, t)) continue;
        const double from = window.from;
        const float level =
            static_cast<float>(eased_window(t, from, 0.5) * (1.0 - eased_window(t, window.to - 2.0, 0.5))) *
            (layer.ends_with_music ? ending : 1.0f);
        if (level <= 0.0f) continue;
        const int program = layer.cards ? finale::billboards : finale::particles;
        if (layer.cards) {
            use_material(shaders_, *context_, program,
                         {{"texture2d_1", blob_slot}, {"texture2d_blob", blob_slot}});
            shaders_.set_float(program, "Mode", 0.0f);
        } else {
            use_material(shaders_, *context_, program, {}, "ttime", t);
            shaders_.set_float(program, "particlesize", layer.size);
            shaders_.set_float(program, "Screensize", static_cast<float>(sizes_.render_height));
        }
        emit_layer(layer, from, t, level, right, up);
    }
    glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glDisable(GL_POINT_SPRITE);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    return_to_material1();
}

void part_text::draw_sky(double t) {
    if (!drawn(finale::sky, t)) return;
    const int program = finale::skybox;
    use_material(shaders_, *context_, program,
                 {{"texture2d_1", clouds_slot}, {"texture2d_2", cloud_slot}, {"texture2d_glow", glow_slot}},
                 "ttime", t);
    shaders_.set_float(program, "SkyLevel",
                       static_cast<float>(finale::sky_level(t) * eased_window(t, 30.0, 0.25)));
    // The sky's own glow gives way to the card's as the card comes up behind the credits: the
    // card lies over the sky, and the two together would burn the middle of the picture white.
    const double card = eased_window(t, finale::backdrop.from, 0.25);
    shaders_.set_float(
        program, "GlowLevel",
        static_cast<float>(finale::glow_pass(t) ? finale::glow_level(t, state_.frame.show_time) * (1.0 - card)
                                                : 0.0));
    shaders_.set_float(program, "Dusk", static_cast<float>(eased_window(t, 45.8, 0.25)));
    shaders_.set_float(program, "MoonLevel", static_cast<float>(eased_window(t, finale::moon.from, 0.5)));
    const auto background = finale::clear_colour(t);
    shaders_.set_vec3(program, "Background", background[0], background[1], background[2]);
    shaders_.set_vec3(program, "ScreenSize", static_cast<float>(sizes_.render_width),
                      static_cast<float>(sizes_.render_height), 0.0f);
    Vector3 moon = finale::moon_at - context_->view_camera.eye;
    normalise(moon);
    shaders_.set_vec3(program, "MoonDirection", moon.x, moon.y, moon.z);
    const Vector3& eye = context_->view_camera.eye;
    constexpr float half = 150.0f;
    // Last, behind everything, but added to what lies in front of it without depth (the sparks,
    // the embers and the glowing card) instead of painted over it. Where nothing lies in front,
    // the picture holds the clear colour, which the sky takes off again (see "Background").
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glPushMatrix();
    glTranslatef(eye.x, pass_ == LitPass::mirrored ? -eye.y : eye.y, eye.z);
    glBegin(GL_QUADS);
    // Six faces of a cube about the eye; the shader reads the direction from the position.
    static constexpr float faces[6][4][3] = {
        {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},
        {{-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}},
        {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},
        {{-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}},
        {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
        {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}},
    };
    for (const auto& face : faces)
        for (const auto& corner : face) glVertex3f(corner[0] * half, corner[1] * half, corner[2] * half);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
}
