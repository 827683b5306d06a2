#pragma once
// The walking crowd: nine figures placed from the show's generator, walking away from the chess
// board (along -z) towards where the camera starts, until their clip stops at t = 8.4.
#include <array>
#include <cstdint>

#include "render/post_processing.h"

namespace toys {

inline constexpr uint32_t crowd_seed = 423424233;
inline constexpr int crowd_size = 9;
inline constexpr float figure_scale = 0.06f;
inline constexpr float figure_drop = 1.221f;      // the figures' ground lies this far below y = 0
inline constexpr float crowd_mirror_lift = 2.6f;  // mirrored about y = -1.3

// The crowd walks left of the board, where the opening glide passes close by.
inline constexpr float crowd_x = -16.0f;

struct CrowdFigure {
    float x, y, z;
    float motion_time;  // the walk clip's frame
};

// The figures at clock t, drawing their values from the show's generator in the order x, z,
// pace; the caller seeds it. Figures other than 5 and 8 stand a row further back and lower.
std::array<CrowdFigure, crowd_size> place_crowd(double t);

// The crowd's shared offset is a fixed step to the left of the board along x and, along z, the
// stretch the figures still have to walk at clock t.
float crowd_walk(double t);

// Which figures a pass draws: 5 and 8 always, the others only before t = 0 and not mirrored;
// the light pass stops seeing the crowd after t = 14.
bool crowd_in_pass(double t, LitPass pass);
bool figure_drawn(int figure, double t, LitPass pass);

}  // namespace toys
