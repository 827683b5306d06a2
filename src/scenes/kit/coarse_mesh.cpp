#include "scenes/kit/coarse_mesh.h"

#include <GL/glew.h>

#include "render/mesh.h"
#include "scenes/kit/screen_area.h"

const Mesh& mesh_for_size(const Mesh& full, const Mesh& coarse, const Vector3& low, const Vector3& high,
                          const Matrix4& modelview, const Matrix4& projection) {
    if (!coarse.loaded) return full;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    return pixels_across(low, high, modelview, projection, viewport[2], viewport[3]) < coarse_below ? coarse
                                                                                                    : full;
}
