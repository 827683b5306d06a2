#pragma once
// An axis-aligned box: the corners low and high. A box that holds nothing has low above high.
#include <limits>

#include "core/matrix4.h"
#include "core/vector3.h"

struct Box {
    Vector3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                std::numeric_limits<float>::max()};
    Vector3 high{std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest(),
                 std::numeric_limits<float>::lowest()};

    bool empty() const { return low.x > high.x || low.y > high.y || low.z > high.z; }
    // Grows to hold the point.
    void take(const Vector3& p);
    // Grows to hold the other box.
    void take(const Box& other);
    // The box around this one's eight corners moved by the affine `m`: it holds whatever this box
    // holds, moved. Empty stays empty.
    Box moved(const Matrix4& m) const;
};
