#pragma once
// What a camera sees of the world, for work that can be skipped or narrowed. The pixels a flat
// piece of the world covers from a camera. A pass whose picture is read back
// only where that piece shows (the mirrored pass, read by the surface that mirrors it) can be
// scissored to them: what it would draw elsewhere is never seen.
#include <array>

#include "core/matrix4.h"
#include "core/vector3.h"

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

// The pixels of a width × height area covered by a convex quad (world corners in order) seen
// through `modelview` and `projection`, grown by `margin` pixels on every side and kept inside
// the area. The part of the quad behind the near plane is cut off first; empty when nothing is
// left or the quad lies off the area.
PixelRect covered_pixels(const std::array<Vector3, 4>& quad, const Matrix4& modelview,
                         const Matrix4& projection, int width, int height, int margin);
// Whether the box with corners `low` and `high` (world axes) lies wholly outside what
// `modelview` and `projection` see: all eight corners beyond one and the same side of the view.
// A box that only passes by a corner of the view may count as seen; drawing it is harmless.
bool box_out_of_view(const Vector3& low, const Vector3& high, const Matrix4& modelview,
                     const Matrix4& projection);
// How many pixels of a width × height area the box with corners `low` and `high` spans seen
// through `modelview` and `projection`: the larger side of the rectangle around its corners'
// images. Infinite when a corner lies on or behind the eye's plane (a box that close is large).
float pixels_across(const Vector3& low, const Vector3& high, const Matrix4& modelview,
                    const Matrix4& projection, int width, int height);
// Whether nothing of the shadow the box with corners `low` and `high` (world axes) throws from a
// lamp at `lamp` can be seen: the box and the lamp's rays behind it, down to the height `floor`
// below which nothing takes a shadow, lie wholly outside what `modelview` and `projection` see.
// A lamp's depth map that leaves the box out then shades every seen point as before. False when
// the lamp is not above the whole box (rays that never come down to the floor); true for a box
// wholly below the floor.
bool shadow_out_of_view(const Vector3& low, const Vector3& high, const Vector3& lamp, float floor,
                        const Matrix4& modelview, const Matrix4& projection);
// Where `modelview` (affine) and `projection` (a perspective or an orthographic lens) see from,
// in the coordinates the modelview takes: (x, y, z, 1) for a perspective lens; for an orthographic
// one (x, y, z, 0), the direction towards the viewer. A flat face through the point p whose outer
// side the normal n points to is seen from outside when n · (eye.xyz − p · eye.w) > 0; a closed
// shape shows no other faces.
using Viewpoint = std::array<float, 4>;
Viewpoint viewpoint(const Matrix4& modelview, const Matrix4& projection);
// The level rectangle from (x0, z0) to (x1, z1) at height y, corners in order.
std::array<Vector3, 4> level_quad(float x0, float z0, float x1, float z1, float y);
// The pixels in both; empty when they do not overlap.
PixelRect intersection(const PixelRect& a, const PixelRect& b);
