#pragma once
// Where the opening's places are. The world hangs upside down as the whole show does: the
// cameras' up is (0, -1, 0), so a larger y is deeper. The sea surface lies at y = 0; the
// figures' stage is the sea bed far below it, in front of the background mesh (placed at
// (103, 350, -320), turned over and scaled 17).
#include "core/vector3.h"

namespace opening {

inline constexpr Vector3 world_up{0.0f, -1.0f, 0.0f};
// Centre of the ground the figures walk on; the figures stand at y = stage_centre.y.
inline constexpr Vector3 stage_centre{103.0f, 350.0f, -230.0f};
// The background mesh's placement.
inline constexpr Vector3 background_offset{103.0f, 350.0f, -320.0f};
inline constexpr float background_scale = 17.0f;
// The sea floor copies drift along z at 25 units per clock second around this line.
inline constexpr float seafloor_x = 795.6f, seafloor_y = 116.5f;

// The figures' clips are authored about 71 units tall; on the stage they stand about 1.8.
inline constexpr float figure_scale = 0.0254f;
// The Escher crowd's stair tower (its plinth spans ±10 in x and z, its top at y = -0.4 of the
// model) stands behind the stage, raised so that the plinth's front edge is a knee-high seat.
inline constexpr float crowd_x = -2.0f, crowd_z = -15.0f;
inline constexpr float crowd_lift = 0.9f;  // plinth top 0.5 above the ground
inline constexpr float plinth_front = 10.0f;

// The school of bait fish circles the stage on this circle, at this height above the ground.
inline constexpr float school_x = 1.0f, school_z = -4.0f;
inline constexpr float school_radius = 5.0f;
inline constexpr float school_height = 2.4f;
inline constexpr double school_turn = 0.32;  // radians per clock second

// Heading (degrees about the world vertical) that turns a figure authored facing +z to face
// the stage direction (dx, dz).
float heading_toward(float dx, float dz);

}  // namespace opening
