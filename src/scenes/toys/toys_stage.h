#pragma once
// Where things stand in the toys world (y up; the chess board's top at y = -1.8, centred on the
// origin). Shared by the content groups and the shots that frame them.
namespace toys::stage {

// The first wave of cars drives along +x on this line in front of the board, the second wave
// along -x behind it.
inline constexpr float near_road_z = 15.0f, far_road_z = -17.0f;
inline constexpr float road_y = -1.8f;
inline constexpr float road_span = 32.0f;  // cars drive from -span to +span
// The pavement plates and the running figures, beside the board along z.
inline constexpr float pavement_x = 16.0f;
// The telegraph line, on the horizon behind the far road and the crowd.
inline constexpr float wires_z = -52.0f;
// The bridge crosses the sea along x; the transforming toys stand on its deck.
inline constexpr float bridge_z = 23.0f;
inline constexpr float deck_y = 6.0f;

}  // namespace toys::stage
