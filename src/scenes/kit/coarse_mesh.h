#pragma once
// Shapes that stand small in the picture are drawn with a coarse mesh, the same parts with half
// the facets round each: a few dozen pixels across it looks the same as the full one (their
// facets part by under half a pixel), and software GL pays for every triangle it sets up. The
// figures' skins and the ants have one.
#include "core/matrix4.h"
#include "core/vector3.h"

class Mesh;

inline constexpr float coarse_below = 48.0f;

// The mesh to draw for a shape whose box has the corners `low` and `high` in the axes
// `modelview` takes, seen through `modelview` and `projection` in the GL's viewport: `coarse`
// where the box spans fewer than coarse_below pixels across and the coarse mesh loaded, else
// `full`.
const Mesh& mesh_for_size(const Mesh& full, const Mesh& coarse, const Vector3& low, const Vector3& high,
                          const Matrix4& modelview, const Matrix4& projection);
