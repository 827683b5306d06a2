#include "core/box.h"

#include <algorithm>

void Box::take(const Vector3& p) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
}

void Box::take(const Box& other) {
    if (other.empty()) return;
    take(other.low);
    take(other.high);
}

Box Box::moved(const Matrix4& m) const {
    Box out;
    if (empty()) return out;
    for (int corner = 0; corner < 8; ++corner) {
        const float x = corner & 1 ? high.x : low.x, y = corner & 2 ? high.y : low.y,
                    z = corner & 4 ? high.z : low.z;
        out.take({m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
                  m[2] * x + m[6] * y + m[10] * z + m[14]});
    }
    return out;
}
