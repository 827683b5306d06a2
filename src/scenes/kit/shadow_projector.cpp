#include "scenes/kit/shadow_projector.h"

#include <GL/glew.h>

#include "render/shader_library.h"

Matrix4 load_shadow_projector(const ShaderLibrary& shaders, const CameraRecord& light) {
    Matrix4 view;
    glGetFloatv(GL_MODELVIEW_MATRIX, view.data());
    const Matrix4 eye_to_world = invert_rigid(view);
    shaders.set_projector_matrix(light);
    glActiveTexture(GL_TEXTURE2);
    glMatrixMode(GL_TEXTURE);
    glMultMatrixf(eye_to_world.data());
    Matrix4 projector;
    glGetFloatv(GL_TEXTURE_MATRIX, projector.data());
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_MODELVIEW);
    return projector;
}
