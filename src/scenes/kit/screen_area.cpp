#include "scenes/kit/screen_area.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace {

struct ClipPoint {
    float x, y, z, w;
    float near_side() const { return z + w; }  // >= 0 on the visible side of the near plane
};

ClipPoint to_clip(const Matrix4& m, const Vector3& p) {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14], m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15]};
}

ClipPoint between(const ClipPoint& a, const ClipPoint& b, float f) {
    return {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f, a.w + (b.w - a.w) * f};
}

}  // namespace

PixelRect covered_pixels(const std::array<Vector3, 4>& quad, const Matrix4& modelview,
                         const Matrix4& projection, int width, int height, int margin) {
    const Matrix4 to_clip_space = multiply(projection, modelview);
    // Cut the polygon at the near plane, corner by corner.
    std::vector<ClipPoint> kept;
    for (size_t i = 0; i < quad.size(); ++i) {
        const ClipPoint a = to_clip(to_clip_space, quad[i]),
                        b = to_clip(to_clip_space, quad[(i + 1) % quad.size()]);
        if (a.near_side() >= 0) kept.push_back(a);
        if ((a.near_side() >= 0) != (b.near_side() >= 0))
            kept.push_back(between(a, b, a.near_side() / (a.near_side() - b.near_side())));
    }
    float left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
    for (const ClipPoint& p : kept) {
        if (p.w <= 0) continue;  // on the near plane of a degenerate projection
        const float x = (p.x / p.w * 0.5f + 0.5f) * width, y = (p.y / p.w * 0.5f + 0.5f) * height;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    if (!(left <= right && bottom <= top)) return {};
    if (right < 0 || bottom > height || left > width || top < 0) return {};  // off the area
    // Points just past the near plane of a wide view can land far outside the area: clamp
    // before converting to pixels.
    auto pixel = [](float v, float lo, float hi) { return static_cast<int>(std::clamp(v, lo, hi)); };
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    const int x0 = std::max(0, pixel(std::floor(left), -1.0f, w) - margin);
    const int y0 = std::max(0, pixel(std::floor(bottom), -1.0f, h) - margin);
    const int x1 = std::min(width, pixel(std::ceil(right), 0.0f, w + 1.0f) + margin);
    const int y1 = std::min(height, pixel(std::ceil(top), 0.0f, h + 1.0f) + margin);
    return {x0, y0, x1 - x0, y1 - y0};
}

namespace {

// All of the points beyond one and the same side of the view.
bool points_out_of_view(std::span<const Vector3> points, const Matrix4& modelview,
                        const Matrix4& projection) {
    const Matrix4 to_clip_space = multiply(projection, modelview);
    // Bit 2k: beyond −w on axis k; bit 2k + 1: beyond +w. A plane all points are beyond hides them.
    unsigned all_beyond = 0x3f;
    for (const Vector3& p : points) {
        const ClipPoint c = to_clip(to_clip_space, p);
        const float axes[3] = {c.x, c.y, c.z};
        unsigned beyond = 0;
        for (int k = 0; k < 3; ++k) {
            if (axes[k] < -c.w) beyond |= 1u << (2 * k);
            if (axes[k] > c.w) beyond |= 1u << (2 * k + 1);
        }
        all_beyond &= beyond;
    }
    return all_beyond != 0;
}

std::array<Vector3, 8> corners(const Vector3& low, const Vector3& high) {
    std::array<Vector3, 8> c;
    for (int i = 0; i < 8; ++i)
        c[i] = {i & 1 ? high.x : low.x, i & 2 ? high.y : low.y, i & 4 ? high.z : low.z};
    return c;
}

}  // namespace

bool box_out_of_view(const Vector3& low, const Vector3& high, const Matrix4& modelview,
                     const Matrix4& projection) {
    return points_out_of_view(corners(low, high), modelview, projection);
}

float pixels_across(const Vector3& low, const Vector3& high, const Matrix4& modelview,
                    const Matrix4& projection, int width, int height) {
    const Matrix4 to_clip_space = multiply(projection, modelview);
    float left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
    for (const Vector3& corner : corners(low, high)) {
        const ClipPoint c = to_clip(to_clip_space, corner);
        if (c.w <= 0.0f) return INFINITY;
        left = std::min(left, c.x / c.w);
        right = std::max(right, c.x / c.w);
        bottom = std::min(bottom, c.y / c.w);
        top = std::max(top, c.y / c.w);
    }
    return std::max((right - left) * 0.5f * static_cast<float>(width),
                    (top - bottom) * 0.5f * static_cast<float>(height));
}

bool shadow_out_of_view(const Vector3& low, const Vector3& high, const Vector3& lamp, float floor,
                        const Matrix4& modelview, const Matrix4& projection) {
    // The lamp's rays through the box, from the box down to the floor, fill the hull of the box's
    // corners and of where the rays through them meet the floor.
    // What lies below the floor shades nothing: the rays through it meet the floor before it.
    if (high.y < floor) return true;
    std::array<Vector3, 16> hull;
    const std::array<Vector3, 8> box = corners({low.x, std::max(low.y, floor), low.z}, high);
    for (int i = 0; i < 8; ++i) {
        const Vector3 ray = box[i] - lamp;
        if (ray.y >= 0.0f) return false;  // this ray never comes down to the floor
        hull[i] = box[i];
        hull[8 + i] = lamp + ray * ((floor - lamp.y) / ray.y);
    }
    return points_out_of_view(hull, modelview, projection);
}

Viewpoint viewpoint(const Matrix4& modelview, const Matrix4& projection) {
    // In eye space a perspective lens (last row 0, 0, −1, 0) sees from the origin; an
    // orthographic one (last row 0, 0, 0, 1) from infinitely far along +z.
    const bool orthographic = projection[11] == 0.0f;
    const float w = orthographic ? 0.0f : 1.0f;
    const Vector3 e = orthographic ? Vector3{0.0f, 0.0f, 1.0f} : Vector3{0.0f, 0.0f, 0.0f};
    // Solve A·x + t·w = e for the modelview's 3 × 3 part A and translation t.
    const Vector3 r{e.x - modelview[12] * w, e.y - modelview[13] * w, e.z - modelview[14] * w};
    const Vector3 c0{modelview[0], modelview[1], modelview[2]}, c1{modelview[4], modelview[5], modelview[6]},
        c2{modelview[8], modelview[9], modelview[10]};
    // A⁻¹ has rows (c1 × c2, c2 × c0, c0 × c1) / det A.
    const Vector3 rows[3] = {cross(c1, c2), cross(c2, c0), cross(c0, c1)};
    const float det = dot(c0, rows[0]);
    return {dot(rows[0], r) / det, dot(rows[1], r) / det, dot(rows[2], r) / det, w};
}

PixelRect intersection(const PixelRect& a, const PixelRect& b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.width, b.x + b.width), y1 = std::min(a.y + a.height, b.y + b.height);
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

std::array<Vector3, 4> level_quad(float x0, float z0, float x1, float z1, float y) {
    return {Vector3{x0, y, z0}, Vector3{x1, y, z0}, Vector3{x1, y, z1}, Vector3{x0, y, z1}};
}
