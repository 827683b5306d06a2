// The elements of the middle scene's scene pass: a toy theatre of card. Pieces rise out of the
// stage floor when their window opens and sink back into it before it closes, so nothing pops.
#include <GL/glew.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "anim/tube.h"
#include "core/easing.h"
#include "core/matrix4.h"
#include "core/random.h"
#include "scenes/kit/coarse_mesh.h"
#include "scenes/kit/figures.h"
#include "scenes/kit/material_binding.h"
#include "scenes/kit/screen_area.h"
#include "scenes/middle/ant_pose.h"
#include "scenes/middle/middle_programs.h"
#include "scenes/middle/middle_stage.h"
#include "scenes/middle/middle_timeline.h"
#include "scenes/middle/middle_windows.h"
#include "scenes/middle/part_middle.h"
#include "scenes/middle/slab_loading.h"

namespace {

// 1 while the piece stands, 0 while it is below the floor: eases up after the window opens and
// down before it closes.
double standing(const ClockWindow& window, double t) {
    const double up =
        std::isfinite(window.from) ? eased_window(t, window.from, 1.0 / middle::rise_time) : 1.0;
    const double down = std::isfinite(window.to)
                            ? eased_window(t, window.to - middle::rise_time, 1.0 / middle::rise_time)
                            : 0.0;
    return up * (1.0 - down);
}

// Sinks a piece of the given height below the floor by how far it is from standing.
void sink(const ClockWindow& window, double t, float height) {
    glTranslatef(0.0f, -height * static_cast<float>(1.0 - standing(window, t)), 0.0f);
}

void colour(float r, float g, float b) { glColor3f(r, g, b); }

// The rows of sea: copies of the wave slab end to end, long enough that a copy that leaves one
// end of a row comes back in at the other out of the picture in every shot.
constexpr int wave_copies = 9;
constexpr double wave_length = 11.4;

float wrap(double x, double span) {
    const double u = std::fmod(x + span / 2.0, span);
    return static_cast<float>((u < 0 ? u + span : u) - span / 2.0);
}

constexpr float fish_colours[6][3] = {{0.93f, 0.45f, 0.2f}, {0.95f, 0.75f, 0.25f}, {0.3f, 0.6f, 0.65f},
                                      {0.85f, 0.3f, 0.3f},  {0.95f, 0.6f, 0.35f},  {0.35f, 0.5f, 0.75f}};

}  // namespace

void part_middle::draw_slab(unsigned list, float scale) {
    glPushMatrix();
    glScalef(scale, scale, scale);
    glNormal3f(0.0f, 0.0f, 1.0f);  // the caps carry no normals of their own
    const auto box = slab_boxes_.find(list);
    Matrix4 modelview, projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    if (box == slab_boxes_.end() ||
        !box_out_of_view(box->second.low, box->second.high, modelview, projection))
        glCallList(list);
    glPopMatrix();
}

void part_middle::draw_backdrop(double t) {
    if (!drawn(middle::backdrop, t)) return;
    use_material(shaders_, *context_, middle::material1, {});
    // Day paper, dusk while the moon is up, then a deeper warm card behind the white temple.
    const float d = static_cast<float>(eased_window(t, 24.0, 0.25) * (1.0 - eased_window(t, 41.0, 0.25)));
    const float w = static_cast<float>(eased_window(t, 44.0, 0.2));
    colour(0.93f - 0.42f * d - 0.05f * w, 0.88f - 0.32f * d - 0.12f * w, 0.78f - 0.1f * d - 0.2f * w);
    // The village's ground sheet, stretched sideways so the wide shots never see past it: once
    // as the stage floor and once stood up as the backdrop.
    glPushMatrix();
    glScalef(4.0f, 1.0f, 1.0f);
    meshes_[obj1].draw(0);
    glTranslatef(middle::backdrop_at.x, middle::backdrop_at.y, middle::backdrop_at.z);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    meshes_[obj1].draw(0);
    glPopMatrix();
}

void part_middle::draw_city(double t) {
    if (drawn(middle::city, t)) {
        use_material(shaders_, *context_, middle::material1, {});
        colour(0.9f, 0.88f, 0.82f);
        glPushMatrix();
        glTranslatef(middle::city_at.x, middle::city_at.y, middle::city_at.z);
        sink(middle::city, t, 6.0f);
        glScalef(0.14f, 0.14f, 0.1f);
        for (int group = 0; group < 3; ++group) meshes_[thecity1].draw(group);
        glPopMatrix();
    }
    if (drawn(middle::houses, t)) {
        // The paper village's houses are cut like the crowd: the "IsMan" card.
        use_material(shaders_, *context_, middle::material3, {});
        shaders_.set_float(middle::material3, "IsMan", 0.0f);
        colour(0.97f, 0.94f, 0.88f);
        glPushMatrix();
        glTranslatef(middle::houses_at.x, middle::houses_at.y, middle::houses_at.z);
        glScalef(0.45f, 0.45f, 0.3f);
        meshes_[obj1].draw(2);
        glPopMatrix();
    }
    if (drawn(middle::long_strip, t)) {
        // The folded strip: a fence of card along the back, behind the temple and the crowd.
        use_material(shaders_, *context_, middle::material1, {});
        colour(0.86f, 0.68f, 0.42f);
        glPushMatrix();
        glTranslatef(middle::long_strip_at.x, middle::long_strip_at.y, middle::long_strip_at.z);
        sink(middle::long_strip, t, 5.0f);
        glScalef(0.9f, 1.2f, 1.0f);
        meshes_[thelong].draw(-1);
        glPopMatrix();
    }
    if (drawn(middle::robot, t)) {
        use_material(shaders_, *context_, middle::material1, {});
        colour(0.75f, 0.3f, 0.25f);
        glPushMatrix();
        glTranslatef(middle::robot_at.x, middle::robot_at.y, middle::robot_at.z);
        sink(middle::robot, t, 7.0f);
        glRotatef(static_cast<float>(-30.0 + 10.0 * std::sin(0.5 * t)), 0.0f, 1.0f, 0.0f);
        glScalef(1.3f, 1.3f, 1.3f);
        for (int group = 0; group < 4; ++group) meshes_[transf1].draw(group);
        glPopMatrix();
    }
}

void part_middle::draw_sky(double t) {
    use_material(shaders_, *context_, middle::material2, {});
    shaders_.set_float(middle::material2, "IsBird", 0.0f);
    if (drawn(middle::sun, t)) draw_sun(t);
    draw_clouds(t);
    if (drawn(middle::aeroplane, t)) draw_aeroplane(t);
}

void part_middle::draw_sun(double t) {
    glPushMatrix();
    glTranslatef(middle::sun_at.x, static_cast<float>(middle::sun_at.y + 0.6 * std::sin(0.4 * t)),
                 middle::sun_at.z);
    sink(middle::sun, t, 24.0f);
    colour(1.0f, 0.55f, 0.1f);
    glPushMatrix();
    glRotatef(static_cast<float>(8.0 * std::sin(0.7 * t)), 0.0f, 0.0f, 1.0f);
    draw_slab(middle::sun_list, 0.38f);
    glPopMatrix();
    colour(0.85f, 0.25f, 0.1f);
    glTranslatef(0.0f, 0.0f, 0.2f);
    glScalef(4.6f, 4.6f, 4.6f);
    meshes_[circle].draw(0);
    glRotatef(static_cast<float>(-12.0 * t), 0.0f, 0.0f, 1.0f);
    meshes_[circle].draw(1);
    glPopMatrix();
}

void part_middle::draw_clouds(double t) {
    if (drawn(middle::clouds, t)) {
        const float cloud_at[3][3] = {{6.0f, 15.5f, -15.0f}, {16.0f, 12.0f, -14.0f}, {-2.0f, 18.0f, -17.0f}};
        for (int i = 0; i < 3; ++i) {
            glPushMatrix();
            glTranslatef(wrap(cloud_at[i][0] - 0.35 * t * (1 + 0.3 * i), 50.0), cloud_at[i][1],
                         cloud_at[i][2]);
            sink(middle::clouds, t, 30.0f);
            colour(0.98f, 0.97f, 0.95f);
            draw_slab(middle::cloud_list, 0.2f + 0.05f * i);
            glPopMatrix();
        }
    }
    if (drawn(middle::curly_clouds, t)) {
        for (int i = 0; i < 4; ++i) {
            glPushMatrix();
            // They drift 6.5 units right over their window, the last one out of the picture.
            glTranslatef(static_cast<float>(-14.0 + 9.0 * i + 0.25 * t), 13.0f + 3.0f * (i % 2), -14.0f + i);
            sink(middle::curly_clouds, t, 30.0f);
            colour(0.8f, 0.82f, 0.9f);
            draw_slab(middle::curly_cloud_lists[i % 2], 0.22f);
            glPopMatrix();
        }
    }
    if (drawn(middle::skylines, t)) {
        for (int i = 0; i < 3; ++i) {
            glPushMatrix();
            glTranslatef(-18.0f + 18.0f * i, 7.0f, -17.0f + 0.5f * i);
            sink(middle::skylines, t, 16.0f);
            colour(0.45f, 0.38f, 0.36f);
            draw_slab(middle::skyline_lists[i % 2], 0.9f);
            glPopMatrix();
        }
    }
}

void part_middle::draw_aeroplane(double t) {
    shaders_.set_float(middle::material2, "IsBird", 1.0f);
    const double a = 0.35 * t;
    const float x = static_cast<float>(15.0 * std::cos(a)), z = static_cast<float>(-5.0 + 7.0 * std::sin(a));
    const float heading =
        static_cast<float>(std::atan2(-15.0 * std::sin(a), 7.0 * std::cos(a)) * 180.0 / 3.14159265);
    glPushMatrix();
    glTranslatef(x, static_cast<float>(13.0 + 2.0 * std::sin(0.9 * t)), z);
    glRotatef(heading, 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(-25.0 * std::cos(a)), 0.0f, 0.0f, 1.0f);
    glScalef(1.3f, 1.3f, 1.3f);
    colour(0.97f, 0.97f, 0.95f);
    meshes_[theplane].draw(-1);
    glPopMatrix();
    shaders_.set_float(middle::material2, "IsBird", 0.0f);
}

void part_middle::draw_sequence_figure(double t) {
    if (!drawn(middle::sequence_figure, t)) return;
    use_material(shaders_, *context_, middle::material2, {});
    colour(0.05f, 0.04f, 0.04f);
    glPushMatrix();
    glTranslatef(static_cast<float>(-2.0 + 1.5 * std::sin(0.11 * t)),
                 middle::figure_feet * middle::sequence_scale, 1.5f);
    sink(middle::sequence_figure, t, 12.0f);
    draw_slab(middle::sequence_list(middle::sequence_frame(t)), middle::sequence_scale);
    glPopMatrix();
}

void part_middle::draw_sea(double t) {
    if (!drawn(middle::waves, t)) return;
    use_material(shaders_, *context_, middle::material2, {});
    shaders_.set_float(middle::material2, "IsBird", 0.0f);
    // Two rows of rolling sea with the fish leaping between them, the curling wave at the side.
    const struct {
        float z, y, shade, speed;
    } rows[2] = {{middle::sea_rows_z[0], 3.6f, 0.0f, 0.6f}, {middle::sea_rows_z[1], 2.6f, 1.0f, -0.9f}};
    for (const auto& row : rows) {
        for (int copy = -wave_copies / 2; copy <= wave_copies / 2; ++copy) {
            glPushMatrix();
            glTranslatef(wrap(wave_length * copy + row.speed * t, wave_length * wave_copies),
                         row.y + 0.3f * static_cast<float>(std::sin(1.3 * t + row.z)), row.z);
            sink(middle::waves, t, 10.0f);
            colour(0.32f + 0.2f * row.shade, 0.5f + 0.18f * row.shade, 0.68f + 0.12f * row.shade);
            draw_slab(middle::wave_list, 0.6f);
            glPopMatrix();
        }
    }
    glPushMatrix();
    glTranslatef(middle::curling_wave_at.x, middle::curling_wave_at.y, middle::curling_wave_at.z);
    sink(middle::waves, t, 10.0f);
    glRotatef(static_cast<float>(4.0 * std::sin(0.8 * t)), 0.0f, 0.0f, 1.0f);
    colour(0.42f, 0.6f, 0.76f);
    draw_slab(middle::curling_wave_list, 0.55f);
    glPopMatrix();

    // Fish leap from the far row over the near one, head first (the cut-outs face -x).
    shaders_.set_float(middle::material2, "IsBird", 1.0f);
    auto leap = [&](unsigned list, int i, double start, const ClockWindow& window) {
        const double speed = 2.4 + 0.35 * (i % 3);
        const double x = wrap(20.0 - speed * (t - start) + 7.3 * i, 50.0);
        const double arc = std::sin(0.45 * x + i);
        const float y = static_cast<float>(4.5 + 3.2 * std::abs(arc));
        const float tilt = static_cast<float>(-35.0 * std::cos(0.45 * x + i) * (arc > 0 ? 1.0 : -1.0));
        glPushMatrix();
        glTranslatef(static_cast<float>(x), y, -5.5f + 0.4f * (i % 3));
        sink(window, t, 14.0f);
        glRotatef(tilt, 0.0f, 0.0f, 1.0f);
        colour(fish_colours[i][0], fish_colours[i][1], fish_colours[i][2]);
        draw_slab(list, 0.26f);
        glPopMatrix();
    };
    if (drawn(middle::first_shoal, t))
        for (int i = 0; i < 3; ++i)
            leap(middle::fish_lists[i], i, middle::first_shoal.from, middle::first_shoal);
    if (drawn(middle::full_shoal, t))
        for (int i = 0; i < 6; ++i)
            leap(middle::fish_lists[i], i, middle::full_shoal.from - 3.0, middle::full_shoal);
    shaders_.set_float(middle::material2, "IsBird", 0.0f);
}

void part_middle::draw_ropes(double t) {
    use_material(shaders_, *context_, middle::material1, {});
    glPushMatrix();
    glScalef(middle::rope_scale, middle::rope_scale, middle::rope_scale);
    if (drawn(middle::rope_field, t)) {
        colour(0.96f, 0.78f, 0.3f);
        const float star = 0.8f / middle::rope_scale;
        for (const SpringChain& rope : state_.ropes.field) {
            middle::rope_curve(rope, curve_, 30);
            for (std::size_t k = 2; k < curve_.points.size(); ++k) {
                const Vector3& p = curve_.points[k];
                glPushMatrix();
                glTranslatef(p.x, p.y, p.z);
                glRotatef(static_cast<float>(20.0 * k + 30.0 * t), 0.0f, 1.0f, 0.0f);
                glScalef(star, star, star);
                meshes_[tstar].draw(-1);
                glPopMatrix();
            }
        }
    }
    if (drawn(middle::single_rope, t)) {
        const SpringChain& rope = state_.ropes.single.front();
        middle::rope_curve(rope, curve_, 0);
        const Vector3 moon = rope.masses.front().position;
        use_material(shaders_, *context_, middle::material2, {});
        glPushMatrix();
        glTranslatef(moon.x, moon.y + 2.2f / middle::rope_scale, moon.z);
        glRotatef(static_cast<float>(10.0 * std::sin(0.6 * t)), 0.0f, 0.0f, 1.0f);
        colour(0.85f, 0.85f, 0.1f);
        draw_slab(middle::moon_list, 0.25f / middle::rope_scale);
        glPopMatrix();
        if (drawn(middle::rope_line, t)) {
            use_material(shaders_, *context_, middle::material1, {});
            colour(0.0f, 0.0f, 0.0f);
            glLineWidth(3.0f);
            glBegin(GL_LINE_STRIP);
            const double s = curve_.count;
            for (int k = 0; k < 80; ++k) {
                const Vector3 p = curve_.evaluate(static_cast<float>(k / 100.0 * s));
                glVertex3f(p.x, p.y, p.z);
            }
            glEnd();
            glLineWidth(1.0f);
        }
    }
    glPopMatrix();
}

void part_middle::draw_strands(double t) {
    if (!drawn(middle::strands, t)) return;
    use_material(shaders_, *context_, middle::material1, {});
    constexpr int points = 24;
    const Vector3 up{1.0f, 0.0f, 0.0f};
    // Black strands hang from above and grow down; thin ones wave between them.
    for (int j = 0; j < 14; ++j) {
        const bool black = j % 2 == 0;
        const double g =
            std::clamp((t - middle::strands.from - 0.35 * j) / 7.0, 0.0, 1.0) * standing(middle::strands, t);
        if (g <= 0.02) continue;
        Spline& s = resampled_;
        s.clear();
        s.closed = false;
        const float x0 = -19.0f + 2.9f * j, z0 = -10.0f + 1.3f * static_cast<float>(j % 3);
        for (int i = 0; i < points; ++i) {
            const float sway = static_cast<float>(std::sin(0.25 * i + 0.8 * t + j));
            s.append({x0 + 0.5f * sway * i * 0.1f, 21.0f - 0.75f * i, z0 + 0.3f * sway});
            const double radius = black ? 0.12 * std::clamp(i / 15.0, 0.0, 1.0)
                                        : 0.04 + 0.01 * std::sin(0.6 * i + 1.5 * j - 4.0 * t);
            s.channel2.push_back({static_cast<float>(radius), 0.0f, 0.0f});
        }
        s.count = points;
        if (black)
            colour(0.03f, 0.03f, 0.03f);
        else
            colour(0.85f, 0.35f, 0.3f);
        const double end = points * g;
        draw_tube(s, up, 0.0, end, std::max(1, static_cast<int>(end) * 2), black ? 10 : 9);
    }
}

void part_middle::draw_temple(double t) {
    use_material(shaders_, *context_, middle::material3, {});
    shaders_.set_float(middle::material3, "IsMan", 0.0f);
    colour(0.9f, 0.86f, 0.8f);
    for (int r = 0; r < 4; ++r) {
        const ElementWindow& window = middle::columns[r];
        if (!drawn(window, t)) continue;
        glPushMatrix();
        glTranslatef(0.0f, 0.6f, middle::column_rows_z[r]);
        sink(window, t, 12.0f);
        meshes_[kolones].draw(1);
        glPopMatrix();
    }
    if (drawn(middle::temple_frame, t)) {
        glPushMatrix();
        glTranslatef(middle::temple_frame_at.x, middle::temple_frame_at.y, middle::temple_frame_at.z);
        sink(middle::temple_frame, t, 18.0f);
        meshes_[kolones].draw(0);
        glPopMatrix();
    }
    if (drawn(middle::forks, t)) {
        colour(0.7f, 0.7f, 0.72f);
        glPushMatrix();
        glTranslatef(middle::forks_at.x, middle::forks_at.y, middle::forks_at.z);
        sink(middle::forks, t, 9.0f);
        glScalef(1.3f, 1.3f, 1.3f);
        for (int f = 0; f < 5; ++f) meshes_[forks].draw(f);
        glPopMatrix();
    }
}

void part_middle::draw_crowd(double t) {
    if (!drawn(middle::crowd, t)) return;
    use_material(shaders_, *context_, middle::material3, {});
    shaders_.set_float(middle::material3, "IsMan", 1.0f);
    colour(0.02f, 0.02f, 0.02f);
    RandomGenerator random(1733);
    constexpr int runners = 12;
    for (int i = 0; i < runners; ++i) {
        const double r = random.draw_unit();
        const double rate = i % 3 == 2 ? 12.0 : 17.0;
        // Round the forks in rings, each runner at its own pace.
        const double a = (0.16 + 0.02 * r) * (t - middle::crowd.from) + 6.2832 * i / runners;
        const double radius = 7.0 + 2.0 * (i % 3);
        const FigurePlace place{{static_cast<float>(radius * std::cos(a)), 0.0f,
                                 static_cast<float>(middle::ring_centre.z + radius * std::sin(a))},
                                static_cast<float>(-a * 180.0 / 3.14159265),
                                0.0254f};
        draw_figure(*figure_, {meshes_[human4], meshes_[human4_coarse]}, place,
                    clip_frame((1.0 + 0.1 * r) * rate * t));
    }
}

void part_middle::draw_ant(double phase) {
    colour(0.3f, 0.3f, 0.3f);
    // Whatever the legs' swing, an ant keeps within `reach` of its own origin.
    const float reach = 1.25f * meshes_[ant].reach();
    Matrix4 modelview, projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    const Mesh& mesh = mesh_for_size(meshes_[ant], meshes_[ant_coarse], {-reach, -reach, -reach},
                                     {reach, reach, reach}, modelview, projection);
    for (const middle::AntPartTurn& turn : middle::ant_pose(phase)) {
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, turn.hinge);
        glRotatef(turn.angle_x, 1.0f, 0.0f, 0.0f);
        glRotatef(turn.angle_y, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, -turn.hinge);
        mesh.draw(turn.part);
        glPopMatrix();
    }
}

void part_middle::draw_ants(double t) {
    RandomGenerator random(4021);
    if (drawn(middle::early_ants, t)) {
        // A file of ants crossing the front of the stage, in the general material.
        use_material(shaders_, *context_, middle::material1, {});
        shaders_.set_float(middle::material1, "IsAnt", 1.0f);
        for (int i = 0; i < 6; ++i) {
            const double r = random.draw_unit();
            const double k = i < 3 ? 0.5 : 0.3;
            glPushMatrix();
            glTranslatef(static_cast<float>(-16.0 + 3.0 * (t - middle::early_ants.from) - 4.5 * i), 0.0f,
                         5.5f + 0.8f * (i % 2));
            glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
            glScalef(8.0f, 8.0f, 8.0f);
            draw_ant((0.5 * r + 1.5) * k * t);
            glPopMatrix();
        }
        shaders_.set_float(middle::material1, "IsAnt", 0.0f);
    }
    if (drawn(middle::late_ants, t)) {
        use_material(shaders_, *context_, middle::material3, {});
        shaders_.set_float(middle::material3, "IsMan", 1.0f);
        for (int i = 0; i < 10; ++i) {
            const double r = random.draw_unit();
            const double k = i % 2 ? 0.1 : 0.05;
            const double a = -0.12 * (t - middle::late_ants.from) + 6.2832 * i / 10;
            glPushMatrix();
            glTranslatef(static_cast<float>(4.0 * std::cos(a)), 0.0f,
                         static_cast<float>(middle::ring_centre.z + 4.0 * std::sin(a)));
            glRotatef(static_cast<float>(a * 180.0 / 3.14159265), 0.0f, 1.0f, 0.0f);
            glScalef(6.0f, 6.0f, 6.0f);
            draw_ant((0.5 * r + 1.5) * k * t);
            glPopMatrix();
        }
    }
}

void part_middle::draw_people_row(double t) {
    if (!drawn(middle::people_row, t)) return;
    // Cut like the crowd: black card with a lamp-lit rim.
    use_material(shaders_, *context_, middle::material3, {});
    shaders_.set_float(middle::material3, "IsMan", 1.0f);
    RandomGenerator random(977);
    // Markers are in frame pixels; the row places its people at a hundredth of that, anchored so
    // that frame 0's marker puts person 0 at the left end of the row.
    constexpr float row_units = 0.01f;
    const Vector3 anchor =
        Vector3{middle::people_row_at.x, middle::figure_feet * 0.3f, middle::people_row_at.z} -
        middle::person_position(markers_[0]) * row_units;
    for (int j = 0; j < 7; ++j) {
        const double r = random.draw_unit();
        const int k = middle::person_frame(t, j, r);
        const Vector3 at = anchor + middle::person_position(markers_[k]) * row_units;
        glPushMatrix();
        glTranslatef(at.x + 3.0f * j, at.y, at.z + 0.5f * (j % 2));
        sink(middle::people_row, t, 6.0f);
        colour(0.04f, 0.04f, 0.04f);
        draw_slab(middle::sequence_list(k), 0.3f);
        // The edge slab fills the outline a pixel wider than the figure: set just behind it, it
        // shows as a grey rim of card around the black.
        colour(0.5f, 0.5f, 0.5f);
        glTranslatef(0.0f, 0.0f, -0.04f);
        glScalef(1.03f, 1.03f, 1.0f);
        draw_slab(middle::edge_list(k), 0.3f);
        glPopMatrix();
    }
}
