#include "anim/rigid.h"

#include <GL/gl.h>

#include <algorithm>
#include <limits>

namespace {

std::vector<std::array<float, 3>> triples(const std::vector<float>& flat) {
    std::vector<std::array<float, 3>> out;
    for (size_t i = 0; i + 2 < flat.size(); i += 3) out.push_back({flat[i], flat[i + 1], flat[i + 2]});
    return out;
}

}  // namespace

rigid::rigid(const std::string& file_name) : source(std::make_unique<objloader>(file_name)) {
    vertices = triples(source->vertices);
    normals = triples(source->normals);
    for (const ObjGroup& g : source->groups) groups.push_back(&g);
    std::copy(std::begin(source->centre), std::end(source->centre), centre);
    translucent = source->translucent;
    visible = true;
}

void rigid::compute_bounds() {
    float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
    if (!vertices.empty()) {
        std::fill(std::begin(min), std::end(min), std::numeric_limits<float>::max());
        std::fill(std::begin(max), std::end(max), std::numeric_limits<float>::lowest());
        for (const auto& v : vertices)
            for (int axis = 0; axis < 3; ++axis) {
                min[axis] = std::min(min[axis], v[axis]);
                max[axis] = std::max(max[axis], v[axis]);
            }
    }
    set_bounds(min, max);
}

void rigid::draw() {
    glPushMatrix();
    if (show_bounds) draw_bounds_framed();
    glMultMatrixf(model_matrix);
    glEnable(GL_LIGHTING);

    if (visible) {
        glBegin(GL_TRIANGLES);
        for (const ObjGroup* g : groups) {
            glMaterialfv(GL_FRONT, GL_AMBIENT, g->ambient);
            glMaterialfv(GL_FRONT, GL_DIFFUSE, g->diffuse);
            glMaterialfv(GL_FRONT, GL_SPECULAR, g->specular);
            glMaterialf(GL_FRONT, GL_SHININESS, g->shininess);
            if (translucent) glColor4f(1.0f, 1.0f, 1.0f, g->alpha);
            for (size_t t = 0; t + 2 < g->triangles.size(); t += 3) {
                // Indices are 1-based as in the file; a triangle naming a corner that is not
                // there is left out whole.
                bool inside = true;
                for (size_t c = 0; c < 3; ++c) {
                    const int i = g->triangles[t + c];
                    inside = inside && i >= 1 && static_cast<size_t>(i) <= vertices.size() &&
                             static_cast<size_t>(i) <= normals.size();
                }
                if (!inside) continue;
                for (size_t c = 0; c < 3; ++c) {
                    const size_t i = static_cast<size_t>(g->triangles[t + c]) - 1;
                    glNormal3fv(normals[i].data());
                    glVertex3fv(vertices[i].data());
                }
            }
        }
        glEnd();
    }
    glDisable(GL_LIGHTING);

    if (show_bounds) {
        draw_bounds_plain();
        glColor3f(0.2f, 0.3f, 1.0f);
        glBegin(GL_LINES);
        for (int axis = 0; axis < 3; ++axis) {
            float from[3] = {centre[0], centre[1], centre[2]};
            float to[3] = {centre[0], centre[1], centre[2]};
            from[axis] -= 0.5f;
            to[axis] += 0.5f;
            glVertex3fv(from);
            glVertex3fv(to);
        }
        glEnd();
    }
    glPopMatrix();
}
