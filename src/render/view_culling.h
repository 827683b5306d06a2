#pragma once
// Whether a box can make any fragment: a box whose eight corners all lie beyond one plane of the
// view volume is wholly outside it, so drawing what it holds would only cost vertex and setup
// work and leave every pixel as it was. The test is conservative (a box that straddles a corner
// of the volume counts as inside), so skipping the boxes it rejects never changes a picture.
#include "core/matrix4.h"

struct Box {
    float lo[3] = {0.0f, 0.0f, 0.0f};
    float hi[3] = {-1.0f, -1.0f, -1.0f};  // lo > hi: empty

    bool empty() const { return lo[0] > hi[0] || lo[1] > hi[1] || lo[2] > hi[2]; }
    // Grows the box to hold the point.
    void add(float x, float y, float z);
};

// Under projection · modelview (`clip`, column-major): true when the box is empty or lies
// beyond one clip plane (-w <= x, y, z <= w) with all eight corners.
bool outside_clip_volume(const Matrix4& clip, const Box& box);

// The same under the GL's current fixed-function projection and modelview matrices, which is
// where a vertex program that starts from gl_ModelViewProjectionMatrix puts the box.
bool outside_current_view(const Box& box);
