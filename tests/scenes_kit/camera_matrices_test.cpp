// The matrices worked out on the CPU for a camera record against the ones apply_camera makes the
// GL load, for ordinary cameras, a wide and a narrow lens and a view along its own up vector.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include "render/graphics_context.h"
#include "scenes/kit/shots.h"
#include "tests/support/gl_context.h"

namespace {

class CameraMatricesTest : public GlTest {};

void expect_near(const Matrix4& cpu, const Matrix4& gl, const char* what) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(cpu[i], gl[i], 1e-5f * std::max(1.0f, std::abs(gl[i]))) << what << " element " << i;
}

}  // namespace

TEST_F(CameraMatricesTest, AreTheOnesApplyCameraLoads) {
    const CameraRecord cameras[] = {
        {{0.0f, 5.0f, -9.4f}, {0.0f, 3.0f, -28.0f}, {0.0f, 1.0f, 0.0f}, 45.0, 16.0 / 9.0, 0.1, 400.0},
        {{3.0f, -2.0f, 7.5f}, {-1.0f, 0.5f, 0.0f}, {0.2f, 1.0f, -0.1f}, 100.0, 1.0, 0.5, 60.0},
        {{-40.0f, 20.0f, 10.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 12.0, 2.35, 1.0, 1000.0},
        // Looking straight down its up vector: the steady up's fallback gives the roll.
        {{1.0f, 10.0f, 2.0f}, {1.0f, 0.0f, 2.0f}, {0.0f, 1.0f, 0.0f}, 60.0, 4.0 / 3.0, 0.1, 100.0},
    };
    for (const CameraRecord& camera : cameras) {
        apply_camera(camera);
        Matrix4 modelview, projection;
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
        glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
        expect_near(camera_modelview(camera), modelview, "modelview");
        expect_near(camera_projection(camera), projection, "projection");
    }
}
