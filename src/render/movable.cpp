#include "render/movable.h"

#include <GL/gl.h>

movable::movable() : model_matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1} {}

void movable::set_bounds(const float min[3], const float max[3]) {
    for (int axis = 0; axis < 3; ++axis) {
        bounds_centre[axis] = (min[axis] + max[axis]) / 2.0f;
        half_extents[axis] = max[axis] - bounds_centre[axis];
    }
    const float xs[2] = {min[0], max[0]}, ys[2] = {min[1], max[1]}, zs[2] = {min[2], max[2]};
    // y and z walk the loop (0,0) (0,1) (1,1) (1,0) on each x face.
    constexpr int loop_y[4] = {0, 0, 1, 1}, loop_z[4] = {0, 1, 1, 0};
    for (int corner = 0; corner < 8; ++corner) {
        corners[corner][0] = xs[corner / 4];
        corners[corner][1] = ys[loop_y[corner % 4]];
        corners[corner][2] = zs[loop_z[corner % 4]];
    }
}

void movable::draw_box_lines(float red, float green, float blue) const {
    glDisable(GL_LIGHTING);
    glColor3f(red, green, blue);
    glBegin(GL_LINES);
    for (int i = 0; i < 4; ++i) {
        glVertex3fv(corners[i]);
        glVertex3fv(corners[i + 4]);
    }
    glEnd();
    for (int face = 0; face < 2; ++face) {
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < 4; ++i) glVertex3fv(corners[face * 4 + i]);
        glEnd();
    }
    glEnable(GL_LIGHTING);
}

void movable::draw_bounds_framed() const {
    glPushMatrix();
    if (highlight)
        draw_box_lines(0.7f, 0.3f, 0.4f);
    else
        draw_box_lines(0.4f, 0.3f, 0.7f);
    glPopMatrix();
}

void movable::draw_bounds_plain() const {
    if (highlight)
        draw_box_lines(0.9f, 0.3f, 0.2f);
    else
        draw_box_lines(0.2f, 0.4f, 0.2f);
}
