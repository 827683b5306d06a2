// The five figure groups on the stage: walkers with a thrower, runners, sitters on the plinth's
// edge with throwers before them, the late throwers on the ridge, and the lit group the blood
// reaches.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "core/easing.h"
#include "core/random.h"
#include "scenes/kit/figures.h"
#include "scenes/kit/material_binding.h"
#include "scenes/opening/opening_programs.h"
#include "scenes/opening/opening_stage.h"
#include "scenes/opening/opening_windows.h"
#include "scenes/opening/part_begin.h"

namespace {

constexpr uint32_t figure_seed = 423424233;
constexpr double clip_rate = 12.0;  // frames per clock second, as the clips were authored
float clip_frame(double s, double rate, double variation) {
    return ::clip_frame(s * rate * (1.0 + 0.1 * variation));
}

// A position that runs along a line at `speed` and wraps over `span`, centred on 0.
double wrapped(double start, double speed, double s, double span) {
    const double v = std::fmod(start + speed * s + span / 2.0, span);
    return (v < 0 ? v + span : v) - span / 2.0;
}

struct Walker {
    float z;      // lane across the stage
    float start;  // place along the lane at s = 0
    float speed;  // units per clock second, along +x
};
constexpr Walker walkers[] = {{0.4f, 0.0f, 1.05f},  {1.2f, 3.4f, 1.1f},   {-0.3f, 6.9f, 1.0f},
                              {1.8f, 10.6f, 1.12f}, {0.6f, 14.1f, 1.04f}, {-0.6f, 17.7f, 0.98f}};
constexpr float walk_span = 30.0f;

// Runners cross on a diagonal from front left to back right.
constexpr float run_from_x = -14.0f, run_from_z = 3.0f, run_to_x = 14.0f, run_to_z = -11.0f;
constexpr float run_speed = 3.3f;
constexpr int runner_count = 4;

// Clock lead of the sitters' clip: frame 25 of the sit clip (reaching back for the seat) at 61.
constexpr double sit_lead = 3.17;

}  // namespace

void part_begin::draw_figure(Figure figure, float x, float z, float heading, float frame, float rise) {
    const Vector3& c = opening::stage_centre;
    // Up is -y: a figure below the ground sits at a larger y.
    const FigurePlace place{
        {Vector3::ordinary, c.x + x, c.y + rise, c.z + z}, heading, opening::figure_scale, true};
    ::draw_figure(*figures_[figure], {meshes_[skin_mesh], meshes_[coarse_skin_mesh]}, place, frame);
}

void part_begin::draw_figures(double s, LitPass pass) {
    bool any = false;
    for (const ElementWindow* window :
         {&opening::walkers_window, &opening::runners_window, &opening::sitters_window,
          &opening::ridge_throwers_window, &opening::lit_group_window})
        any = any || window->drawn(pass, s);
    if (!any) return;
    const int program = program_base_ + opening::man_program;
    use_material(shaders_, *context_, program, {{"texture2d_blood", blood_slot}});
    shaders_.set_float(program, "ExtraLight", 0.0f);
    shaders_.set_float(program, "Thettime", 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_CULL_FACE);
    // Each figure's pace varies a little, the same every frame.
    seed_random(figure_seed);
    FigureVariations variation;
    for (float& v : variation) v = static_cast<float>(random_unit());

    if (opening::walkers_window.drawn(pass, s)) draw_walkers(s, variation);
    if (opening::runners_window.drawn(pass, s)) draw_runners(s, variation);
    if (opening::sitters_window.drawn(pass, s)) draw_sitters(s, variation);
    if (opening::ridge_throwers_window.drawn(pass, s)) draw_ridge_throwers(s, variation);
    if (opening::lit_group_window.drawn(pass, s)) draw_lit_group(s, variation);
}

// The procession of walkers along the stage, and a thrower watching them pass.
void part_begin::draw_walkers(double s, const FigureVariations& variation) {
    for (size_t i = 0; i < std::size(walkers); ++i) {
        const Walker& w = walkers[i];
        const float x = static_cast<float>(wrapped(w.start, w.speed, s, walk_span));
        draw_figure(walk, x, w.z, opening::heading_toward(1.0f, 0.0f),
                    clip_frame(s, clip_rate, variation[i]));
    }
    draw_figure(throw_r, 6.0f, 3.0f, opening::heading_toward(-0.6f, -1.0f),
                clip_frame(s + 1.3, clip_rate, variation[6]));
}

// Runners crossing the stage on the diagonal, one after another.
void part_begin::draw_runners(double s, const FigureVariations& variation) {
    const float dx = run_to_x - run_from_x, dz = run_to_z - run_from_z;
    const float length = std::sqrt(dx * dx + dz * dz);
    for (int i = 0; i < runner_count; ++i) {
        const double along =
            wrapped(i * length / runner_count, run_speed * (1.0 + 0.05 * variation[7 + i]), s, length);
        const float t = static_cast<float>(along / length + 0.5);
        const float side = (i % 2 ? 0.9f : -0.9f);
        draw_figure(run, run_from_x + dx * t + side * 0.5f, run_from_z + dz * t + side * 0.6f,
                    opening::heading_toward(dx, dz), clip_frame(s, 1.2 * clip_rate, variation[7 + i]));
    }
}

// They rise from the sand onto the plinth's edge and sit; two throw in front of them.
void part_begin::draw_sitters(double s, const FigureVariations& variation) {
    const float rise =
        static_cast<float>(1.9 * (1.0 - ease_cos(0.8 * (s - opening::sitters_window.from), 1.0)));
    const float edge_z = opening::crowd_z + opening::plinth_front + 0.45f;
    for (int i = 0; i < 5; ++i) {
        const float x = opening::crowd_x - 5.0f + 2.3f * i;
        // The clip sits down (to about frame 31), rests, and rises from frame 98 of 120.
        // Played at half speed, each one is just settling onto the seat as it comes out of
        // the sand at 61 and is still seated at 70.6, a little apart from its neighbours.
        draw_figure(sit, x, edge_z, 0.0f, clip_frame(s + sit_lead + 0.7 * i, 0.5 * clip_rate, 0.0), rise);
    }
    for (int i = 0; i < 2; ++i)
        draw_figure(throw_r, opening::crowd_x - 1.5f + 4.0f * i, edge_z + 2.2f,
                    opening::heading_toward(i ? -0.5f : 0.5f, 1.0f),
                    clip_frame(s + 2.0 * i, clip_rate, variation[11 + i]), rise);
}

// Throwers on the ridge behind the stage.
void part_begin::draw_ridge_throwers(double s, const FigureVariations& variation) {
    for (int i = 0; i < 3; ++i)
        draw_figure(throw_r, -6.0f + 6.0f * i, -12.0f, opening::heading_toward(0.0f, 1.0f),
                    clip_frame(s + 0.9 * i, clip_rate, variation[13 + i]));
}

// The lit group, slowly walking into the light while the blood spreads over them.
void part_begin::draw_lit_group(double s, const FigureVariations& variation) {
    const int program = program_base_ + opening::man_program;
    const double in = s - opening::lit_group_window.from;
    shaders_.set_float(program, "ExtraLight", static_cast<float>(ease_cos(0.3 * in, 1.0)));
    shaders_.set_float(program, "Thettime", static_cast<float>(ease_cos(0.1 * (in - 4.0), 1.0)));
    for (int i = 0; i < 4; ++i)
        draw_figure(walk, -3.0f + 2.0f * i, static_cast<float>(6.0 - 0.5 * in),
                    opening::heading_toward(0.0f, -1.0f), clip_frame(s, 0.8 * clip_rate, variation[i]));
}
