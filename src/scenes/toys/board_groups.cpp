// The chess set and the people: the pieces sliding into their game, the crowd walking up to the
// board, and the two onlookers with their balls.
#include <GL/glew.h>

#include "core/random.h"
#include "render/face_culling.h"
#include "scenes/kit/figures.h"
#include "scenes/toys/part_toys.h"
#include "scenes/toys/toys_chess.h"
#include "scenes/toys/toys_crowd.h"
#include "scenes/toys/toys_programs.h"
#include "scenes/toys/toys_stage.h"
#include "scenes/toys/toys_timeline.h"
#include "scenes/toys/toys_windows.h"

namespace {

constexpr float figure_grey = 0.9f;
constexpr int head_group = 18;
// The skin's objects are modelled at 1/44.16 of the figure's own units (the figure scales them up
// by that and flips them over y).
constexpr float skin_to_figure = 44.16f;

// Two onlookers beside the board from t = 0, each with a head-sized ball at its feet: x, z,
// heading, the walk frame they hold.
struct Onlooker {
    float x, z, heading, frame;
};
constexpr Onlooker onlookers[] = {{-13.0f, 7.0f, 120.0f, 14.0f}, {13.5f, -6.0f, -60.0f, 5.0f}};
constexpr float ball_side = 1.1f, ball_scale = 1.8f;

}  // namespace

void part_toys::draw_figure(Figure figure, float x, float y, float z, float heading, float motion_time) {
    ::draw_figure(*figures_[figure], {meshes_[skin_mesh], meshes_[coarse_skin_mesh]},
                  {{Vector3::ordinary, x, y, z}, heading, toys::figure_scale}, motion_time);
}

void part_toys::draw_ground() {
    shaders_.set_switch(toys::general, "isfloor", 1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_QUADS);
    for (const toys::GroundPiece& g : toys::ground_pieces) {
        glVertex3f(g.x0, toys::ground_y, g.z0);
        glVertex3f(g.x0, toys::ground_y, g.z1);
        glVertex3f(g.x1, toys::ground_y, g.z1);
        glVertex3f(g.x1, toys::ground_y, g.z0);
    }
    // The lane: its bed, then its four walls facing into it.
    glVertex3f(toys::lane_x0, toys::lane_bed_y, toys::lane_z0);
    glVertex3f(toys::lane_x0, toys::lane_bed_y, toys::lane_z1);
    glVertex3f(toys::lane_x1, toys::lane_bed_y, toys::lane_z1);
    glVertex3f(toys::lane_x1, toys::lane_bed_y, toys::lane_z0);
    for (float x : {toys::lane_x0, toys::lane_x1}) {
        glNormal3f(x == toys::lane_x0 ? 1.0f : -1.0f, 0.0f, 0.0f);
        glVertex3f(x, toys::lane_bed_y, toys::lane_z0);
        glVertex3f(x, toys::ground_y, toys::lane_z0);
        glVertex3f(x, toys::ground_y, toys::lane_z1);
        glVertex3f(x, toys::lane_bed_y, toys::lane_z1);
    }
    for (float z : {toys::lane_z0, toys::lane_z1}) {
        glNormal3f(0.0f, 0.0f, z == toys::lane_z0 ? 1.0f : -1.0f);
        glVertex3f(toys::lane_x0, toys::lane_bed_y, z);
        glVertex3f(toys::lane_x0, toys::ground_y, z);
        glVertex3f(toys::lane_x1, toys::ground_y, z);
        glVertex3f(toys::lane_x1, toys::lane_bed_y, z);
    }
    glEnd();
    shaders_.set_switch(toys::general, "isfloor", 0.0f);
}

void part_toys::draw_chess(LitPass pass) {
    const double t = state_.t;
    shaders_.set_float(toys::general, "timer1", static_cast<float>(toys::chess_timer(t)));
    for (int group = 0; group < toys::chess_groups; ++group) {
        if (!toys::piece_drawn(group, t, pass)) continue;
        glPushMatrix();
        if (pass == LitPass::mirrored) {
            glTranslatef(0.0f, toys::board_top, 0.0f);
            glScalef(1.0f, -1.0f, 1.0f);
            glTranslatef(0.0f, -toys::board_top, 0.0f);
        }
        if (t > 0.0) {
            const toys::Slide slide = toys::piece_slide(group, t);
            glTranslatef(slide.x, 0.0f, slide.z);
        }
        shaders_.set_switch(toys::general, "ischess", toys::is_board(group));
        const float grey = toys::piece_grey(group);
        glColor3f(grey, grey, grey);
        // The pieces and the board are closed: 2 ms less a frame, most of it in the mirrored
        // pass, without their inner faces.
        const InnerFacesCulled culled;
        meshes_[chess_mesh].draw(group);
        glPopMatrix();
    }
    shaders_.set_switch(toys::general, "ischess", 0.0f);
}

void part_toys::draw_crowd(LitPass pass) {
    const double t = state_.t;
    if (!toys::crowd_in_pass(t, pass)) return;
    seed_random(toys::crowd_seed);
    const auto crowd = toys::place_crowd(t);
    glColor3f(figure_grey, figure_grey, figure_grey);
    for (int i = 0; i < toys::crowd_size; ++i) {
        if (!toys::figure_drawn(i, t, pass)) continue;
        const toys::CrowdFigure& f = crowd[i];
        glPushMatrix();
        if (pass == LitPass::mirrored) {
            glScalef(1.0f, -1.0f, 1.0f);
            glTranslatef(0.0f, toys::crowd_mirror_lift, 0.0f);
        }
        // They walk along -z, away from the board.
        draw_figure(walk, f.x, f.y, f.z, 180.0f, f.motion_time);
        glPopMatrix();
    }
}

void part_toys::draw_onlookers(LitPass pass) {
    if (!toys::onlookers_window.drawn(pass, state_.t)) return;
    glColor3f(figure_grey, figure_grey, figure_grey);
    for (const Onlooker& o : onlookers) {
        glPushMatrix();
        if (pass == LitPass::mirrored) {
            glScalef(1.0f, -1.0f, 1.0f);
            glTranslatef(0.0f, toys::crowd_mirror_lift, 0.0f);
        }
        // They stand on the floor.
        draw_figure(walk, o.x, toys::ground_y, o.z, o.heading, o.frame);
        glTranslatef(o.x + ball_side, toys::ground_y, o.z + ball_side);
        const float s = toys::figure_scale * skin_to_figure * ball_scale;
        glScalef(s, -s, s);
        meshes_[skin_mesh].draw(head_group);
        glPopMatrix();
    }
}
