#pragma once
// 4×4 single-precision matrices in column-major order, the layout the GL matrix calls take:
// element [column·4 + row], translation in elements 12, 13 and 14. Products apply to column
// vectors, so multiply(a, b) applies b first.
#include <array>

using Matrix4 = std::array<float, 16>;

// π as the motion files' degrees are converted with it.
inline constexpr float motion_pi = 3.141593f;

constexpr Matrix4 identity_matrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Matrix4 multiply(const Matrix4& a, const Matrix4& b);
// The inverse of a rigid transform (a rotation, possibly mirrored, and a translation), as a
// look-at makes the modelview: the transposed rotation, and the translation taken back through it.
Matrix4 invert_rigid(const Matrix4& m);
Matrix4 translation_matrix(float x, float y, float z);
Matrix4 scale_matrix(float x, float y, float z);
// Right-handed rotations by an angle in degrees (converted with motion_pi in single precision).
Matrix4 rotation_x(float degrees);
Matrix4 rotation_y(float degrees);
Matrix4 rotation_z(float degrees);
