#pragma once
// The transforming toys on the bridge: a block robot and a block crane whose parts fly together,
// apart and together again, and the two bursts of loose blocks (boxes from the robot, cylinders
// from the crane).
#include <array>

namespace toys {

// How assembled each toy is at clock t: 1 whole, 0 fully taken apart.
double robot_assembly(double t);
double crane_assembly(double t);

struct BlockPlace {
    float x, y, z;  // offset from the burst's centre
    float spin;     // degrees
    bool shown;
};
inline constexpr int burst_blocks = 36;
// Block k of burst b (0: boxes, 1: cylinders) at clock t.
BlockPlace burst_block(int burst, int k, double t);

}  // namespace toys
