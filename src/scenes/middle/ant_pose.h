#pragma once
// The articulated ant: nine parts of the ant mesh, each turned about a hinge on the body's long
// axis (z) as two gait signals d and e run. Both come from one phase a: b = 2a + 100,
// d = W(2.25·b) and e = W(2.25·(5003 − b)), W the ants' leg cycle (kit/ant_gait.h).
#include <array>

namespace middle {

// One part draw: translate (0, 0, hinge), turn angle_x° about x, then angle_y° about y,
// translate back, draw object `part`.
struct AntPartTurn {
    int part;
    float hinge;
    float angle_x, angle_y;
};

// The nine parts in drawing order for phase a: the legs of one side on d, the other side on e,
// the thorax still, the head and the gaster nodding on e.
std::array<AntPartTurn, 9> ant_pose(double a);

}  // namespace middle
