#pragma once
// The vector value every curve, path, camera record and scene computation shares.
//
// Four 32-bit words: a state word, then x, y and z. The state travels with the value:
//   0  undefined — no value yet; any arithmetic on it yields the zero vector (state 1)
//   1  an ordinary vector
//   2  known to be of unit length (normalise sets it; scale keeps it)
// All arithmetic is single precision.
#include <cstdint>

struct Vector3 {
    static constexpr int32_t undefined = 0;
    static constexpr int32_t ordinary = 1;
    static constexpr int32_t unit = 2;

    int32_t state = undefined;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vector3() = default;
    // An ordinary vector.
    constexpr Vector3(float x_, float y_, float z_) : state(ordinary), x(x_), y(y_), z(z_) {}
    constexpr Vector3(int32_t state_, float x_, float y_, float z_) : state(state_), x(x_), y(y_), z(z_) {}

    bool defined() const { return state != undefined; }
    friend bool operator==(const Vector3&, const Vector3&) = default;
};
static_assert(sizeof(Vector3) == 16, "Vector3 is four 32-bit words");

// Componentwise sum / difference, state 1.
Vector3 add(const Vector3& a, const Vector3& b);
Vector3 subtract(const Vector3& a, const Vector3& b);
// (a.y·b.z − a.z·b.y, a.z·b.x − a.x·b.z, a.x·b.y − a.y·b.x), state 1.
Vector3 cross(const Vector3& a, const Vector3& b);
// a.x·b.x + a.y·b.y + a.z·b.z, whatever the states.
float dot(const Vector3& a, const Vector3& b);
// a·s carrying a's own state, so a scaled unit vector still claims unit length.
Vector3 scale(const Vector3& a, float s);
// Euclidean length of the components, whatever the state.
float length(const Vector3& a);
// Makes an ordinary vector unit length (or zero when shorter than 1e-8) and marks it state 2.
// Undefined and already-unit vectors are left alone.
void normalise(Vector3& a);

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return add(a, b); }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return subtract(a, b); }
inline Vector3 operator*(const Vector3& a, float s) { return scale(a, s); }
