#pragma once
// Where things stand on the middle scene's stage, a toy theatre of card: the floor is the plane
// y = 0, up is +y, the audience (the camera) sits towards +z and the backdrop stands at the back.
// Shared by the content groups (paper_groups.cpp); the shots (middle_shots.cpp) frame them.
#include "core/vector3.h"

namespace middle {

// Seconds a piece takes to rise through the floor when its window opens (and to sink before it
// closes), so that nothing pops in or out.
inline constexpr double rise_time = 1.2;

// The image sequence's frames stand on their ground line, row 122 of 132: 8.48 slab units below
// the centre. The running figure is drawn at sequence_scale.
inline constexpr float figure_feet = 8.48f;
inline constexpr float sequence_scale = 1.5f * 0.35f;

// The backdrop: the ground sheet stood up at the back of the stage.
inline constexpr Vector3 backdrop_at{0.0f, 30.0f, -22.0f};
// The paper city at the back, its small white houses at the front.
inline constexpr Vector3 city_at{0.0f, 0.0f, -13.0f};
inline constexpr Vector3 houses_at{0.0f, 0.0f, 2.0f};
// The folded strip along the back, behind the temple and the crowd.
inline constexpr Vector3 long_strip_at{0.0f, 0.0f, -19.0f};
inline constexpr Vector3 robot_at{11.0f, 0.0f, -3.0f};
// The sun high on the left (it bobs about this height).
inline constexpr Vector3 sun_at{-12.0f, 14.0f, -16.0f};
// The sea: two rows of waves across the stage, and the curling wave at its right end.
inline constexpr float sea_rows_z[2] = {-8.0f, -3.0f};
inline constexpr Vector3 curling_wave_at{15.0f, 4.0f, -5.5f};
// The temple: four rows of columns (the last one again at the back) and its frame.
inline constexpr float column_rows_z[4] = {-16.0f, -10.0f, -4.0f, -16.0f};
inline constexpr Vector3 temple_frame_at{0.0f, 1.2f, -16.0f};
inline constexpr Vector3 forks_at{0.0f, 0.0f, -5.0f};
// The late crowd and ants run in rings round this point.
inline constexpr Vector3 ring_centre{0.0f, 0.0f, -2.0f};
// The left end of the row of cut-out people (its height is figure_feet · 0.3).
inline constexpr Vector3 people_row_at{-9.0f, 0.0f, 0.5f};

}  // namespace middle
