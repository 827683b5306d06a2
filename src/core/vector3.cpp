#include "core/vector3.h"

#include <cmath>

namespace {
constexpr Vector3 zero_result{Vector3::ordinary, 0.0f, 0.0f, 0.0f};
}

Vector3 add(const Vector3& a, const Vector3& b) {
    if (!a.defined() || !b.defined()) return zero_result;
    return {Vector3::ordinary, a.x + b.x, a.y + b.y, a.z + b.z};
}

Vector3 subtract(const Vector3& a, const Vector3& b) {
    if (!a.defined() || !b.defined()) return zero_result;
    return {Vector3::ordinary, a.x - b.x, a.y - b.y, a.z - b.z};
}

float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 cross(const Vector3& a, const Vector3& b) {
    if (!a.defined() || !b.defined()) return zero_result;
    return {Vector3::ordinary, a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 scale(const Vector3& a, float s) {
    if (!a.defined()) return zero_result;
    return {a.state, a.x * s, a.y * s, a.z * s};
}

float length(const Vector3& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

void normalise(Vector3& a) {
    if (a.state != Vector3::ordinary) return;
    a.state = Vector3::unit;
    const float len = length(a);
    if (len < 1e-8f) {
        a.x = a.y = a.z = 0.0f;
    } else {
        a.x /= len;
        a.y /= len;
        a.z /= len;
    }
}
