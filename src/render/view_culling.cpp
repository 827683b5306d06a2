#include "render/view_culling.h"

#include <GL/glew.h>

#include <algorithm>

void Box::add(float x, float y, float z) {
    if (empty()) {
        lo[0] = hi[0] = x;
        lo[1] = hi[1] = y;
        lo[2] = hi[2] = z;
        return;
    }
    const float p[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        lo[i] = std::min(lo[i], p[i]);
        hi[i] = std::max(hi[i], p[i]);
    }
}

bool outside_clip_volume(const Matrix4& clip, const Box& box) {
    if (box.empty()) return true;
    // Bit 2k: beyond -w on axis k; bit 2k + 1: beyond +w. A plane every corner is beyond
    // survives the AND.
    unsigned beyond_all = 0x3f;
    for (int corner = 0; corner < 8; ++corner) {
        const float p[3] = {corner & 1 ? box.hi[0] : box.lo[0], corner & 2 ? box.hi[1] : box.lo[1],
                            corner & 4 ? box.hi[2] : box.lo[2]};
        float c[4];
        for (int row = 0; row < 4; ++row)
            c[row] = clip[row] * p[0] + clip[4 + row] * p[1] + clip[8 + row] * p[2] + clip[12 + row];
        unsigned beyond = 0;
        for (int axis = 0; axis < 3; ++axis) {
            if (c[axis] < -c[3]) beyond |= 1u << (2 * axis);
            if (c[axis] > c[3]) beyond |= 2u << (2 * axis);
        }
        beyond_all &= beyond;
        if (beyond_all == 0) return false;
    }
    return true;
}

bool outside_current_view(const Box& box) {
    Matrix4 projection, modelview;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    return outside_clip_volume(multiply(projection, modelview), box);
}
