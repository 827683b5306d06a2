#pragma once
// Where the final scene's places are. The ground is the plane y = 0 and up is +y. The ants live
// around the origin; behind them (towards −z) stand the wall, then the house (left) and the big
// tree (right) with the moon far beyond, then the diver and the mosaic face, and last the credits.
#include "core/vector3.h"

namespace finale {

// The wet ground's extent on the plane y = 0.
inline constexpr float ground_from_x = -70.0f, ground_to_x = 70.0f, ground_from_z = -90.0f, ground_to_z = 30.0f;
// Nothing that takes the moon's shadow lies lower than this (the tubes' roots go 0.46 into the
// ground).
inline constexpr float shadow_floor = -0.5f;
// The wall mesh (3 x 2 units, y from −0.5 to 1.5) is turned to face +z, scaled and lifted so it
// stands on the ground; its pieces fly towards the ants.
inline constexpr Vector3 wall_at{0.0f, 1.25f, -7.0f};
inline constexpr float wall_scale = 2.5f;
inline constexpr Vector3 house_at{-13.0f, 0.0f, -28.0f};
inline constexpr Vector3 tree_at{11.0f, 0.0f, -24.0f};
inline constexpr Vector3 moon_at{-34.0f, 42.0f, -150.0f};
inline constexpr float moon_radius = 8.0f;
inline constexpr Vector3 diver_at{0.0f, 0.0f, -14.0f};
inline constexpr float diver_scale = 1.7f;
inline constexpr Vector3 mosaic_at{0.0f, 3.0f, -18.5f};
inline constexpr Vector3 faces_centre{0.0f, 2.3f, -14.0f};
// The credits: the title's baseline; the second sheet's lines sit credits_sheet_drop lower.
inline constexpr Vector3 credits_at{0.0f, 10.0f, -28.0f};
inline constexpr float credits_scale = 1.5f;
inline constexpr float credits_sheet_drop = 3.5f;  // lettering units
// Human figures: the clips stand about 71 units tall.
inline constexpr float figure_scale = 0.0254f;

}  // namespace finale
