#include "core/matrix4.h"

#include <cmath>

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[c * 4 + k];
            r[c * 4 + row] = sum;
        }
    return r;
}

Matrix4 translation_matrix(float x, float y, float z) {
    Matrix4 m = identity_matrix();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

Matrix4 scale_matrix(float x, float y, float z) {
    Matrix4 m = identity_matrix();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

namespace {
float radians(float degrees) { return degrees * motion_pi / 180.0f; }
}  // namespace

Matrix4 rotation_x(float degrees) {
    const float a = radians(degrees);
    const float c = std::cos(a), s = std::sin(a);
    return {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1};
}

Matrix4 rotation_y(float degrees) {
    const float a = radians(degrees);
    const float c = std::cos(a), s = std::sin(a);
    return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1};
}

Matrix4 rotation_z(float degrees) {
    const float a = radians(degrees);
    const float c = std::cos(a), s = std::sin(a);
    return {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Matrix4 invert_rigid(const Matrix4& m) {
    Matrix4 out{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) out[c * 4 + r] = m[r * 4 + c];
    for (int r = 0; r < 3; ++r) out[12 + r] = -(out[r] * m[12] + out[4 + r] * m[13] + out[8 + r] * m[14]);
    out[15] = 1.0f;
    return out;
}
