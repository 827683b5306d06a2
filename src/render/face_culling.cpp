#include "render/face_culling.h"

#include <GL/glew.h>

InnerFacesCulled::InnerFacesCulled() {
    glPushAttrib(GL_POLYGON_BIT);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    // The upper 3x3's determinant is negative when the matrix mirrors.
    const float det = m[0] * (m[5] * m[10] - m[6] * m[9]) - m[4] * (m[1] * m[10] - m[2] * m[9]) +
                      m[8] * (m[1] * m[6] - m[2] * m[5]);
    GLint front = GL_CCW;
    glGetIntegerv(GL_FRONT_FACE, &front);
    const bool outer_is_front = (det > 0.0f) == (front == GL_CCW);
    glEnable(GL_CULL_FACE);
    glCullFace(outer_is_front ? GL_BACK : GL_FRONT);
}

InnerFacesCulled::~InnerFacesCulled() { glPopAttrib(); }
