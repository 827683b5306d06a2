#pragma once
// The chess set: board (group 0), rim (1), the 32 pieces on their squares (2-33: white pawns,
// white back rank, black pawns, black back rank) and seven pieces beside the board (34-40).
// Which groups each pass draws, and where each piece has slid to.
#include "render/post_processing.h"

namespace toys {

inline constexpr int chess_groups = 41;
inline constexpr float board_top = -1.8f;
inline constexpr float square = 2.4f;
// The board's top spans eight squares: x and z within ±board_half.
inline constexpr float board_half = 4.0f * square;

// The visibility rules, in the order they apply.
bool piece_drawn(int group, double t, LitPass pass);

// Brightness of the group's paint (the board itself is its picture, at 1).
float piece_grey(int group);
// 1 for the board, whose top shows the chessboard picture.
float is_board(int group);

// The shared ramp every piece's slide is a multiple of: 0 up to t = 0, then one step per beat.
double move_ramp(double t);
// Where the group has slid to at clock t, in world units along x and z.
struct Slide {
    float x, z;
};
Slide piece_slide(int group, double t);

}  // namespace toys
