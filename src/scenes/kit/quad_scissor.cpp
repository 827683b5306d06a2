#include "scenes/kit/quad_scissor.h"

#include <GL/glew.h>

#include "core/matrix4.h"
#include "scenes/kit/screen_area.h"

QuadScissor::QuadScissor(const std::array<Vector3, 4>& quad, int width, int height, int margin) {
    Matrix4 modelview, projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    PixelRect rect = covered_pixels(quad, modelview, projection, width, height, margin);
    glGetIntegerv(GL_SCISSOR_BOX, kept_.data());
    kept_on_ = glIsEnabled(GL_SCISSOR_TEST);
    if (kept_on_) rect = intersection(rect, {kept_[0], kept_[1], kept_[2], kept_[3]});
    glScissor(rect.x, rect.y, rect.width, rect.height);
    glEnable(GL_SCISSOR_TEST);
}

QuadScissor::~QuadScissor() {
    glScissor(kept_[0], kept_[1], kept_[2], kept_[3]);
    if (!kept_on_) glDisable(GL_SCISSOR_TEST);
}
