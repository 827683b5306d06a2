#pragma once
// Where things stand in the toys world (y up; the chess board's top at y = -1.8, centred on the
// origin). Shared by the content groups and the shots that frame them.
namespace toys {

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

// The toy room's floor, level with the board's top, the roads and the tank's track. It leaves
// two openings: the board's (the board and its rim sit in it, the board's top flush) and the
// sunken lane the pavement's walkways and runners lie in, so neither is covered. It reaches far
// enough for the fog and its fade to swallow its edge.
struct GroundPiece {
    float x0, z0, x1, z1;
};
inline constexpr float ground_y = -1.8f;
inline constexpr float ground_reach = 170.0f;
inline constexpr float board_opening = 10.4f;  // the rim's outer half-width
// The lane: across x, along z from behind the last walkway to past the runners' turn; its bed
// lies just under the walkways' tops, so the runners keep their footing between the walkways.
inline constexpr float lane_x0 = 14.2f, lane_x1 = 17.8f, lane_z0 = -50.0f, lane_z1 = 10.0f;
inline constexpr float lane_bed_y = -2.7f;
inline constexpr GroundPiece ground_pieces[] = {
    {-ground_reach, -ground_reach, -board_opening, ground_reach},
    {-board_opening, board_opening, lane_x0, ground_reach},
    {-board_opening, -ground_reach, lane_x0, -board_opening},
    {board_opening, -board_opening, lane_x0, board_opening},
    {lane_x0, lane_z1, lane_x1, ground_reach},
    {lane_x0, -ground_reach, lane_x1, lane_z0},
    {lane_x1, -ground_reach, ground_reach, ground_reach},
};

// Whether the floor lies under the point (x, z).
constexpr bool on_ground(float x, float z) {
    for (const GroundPiece& g : ground_pieces)
        if (x >= g.x0 && x <= g.x1 && z >= g.z0 && z <= g.z1) return true;
    return false;
}

}  // namespace toys
