#include "scenes/toys/toys_blocks.h"
#include "core/easing.h"

#include <cmath>

#include "core/random.h"
#include "scenes/kit/clock_window.h"
#include "scenes/toys/toys_timeline.h"

namespace toys {

namespace {

// Ramps of the assembly: the robot comes together first, the crane a moment later; each is
// taken apart once and rebuilt, and both come apart for good at 124.
struct Move {
    double start, rate, sign;
};
constexpr Move robot_moves[] = {
    {106.8, 0.7, 1.0}, {113.0, 0.9, -1.0}, {115.5, 0.7, 1.0}, {124.0, 0.45, -1.0}};
constexpr Move crane_moves[] = {
    {108.0, 0.6, 1.0}, {117.4, 0.9, -1.0}, {119.0, 0.55, 1.0}, {124.0, 0.4, -1.0}};

template <size_t N>
double assembly(const Move (&moves)[N], double t) {
    double a = 0.0;
    for (const Move& m : moves) a += m.sign * eased_window(t, m.start, m.rate);
    return a;
}

constexpr ClockWindow bursts[2] = {{112.0, 123.0}, {118.5, 127.5}};
constexpr float gravity = 5.5f;
constexpr uint32_t burst_seeds[2] = {91731, 52217};

}  // namespace

double robot_assembly(double t) { return assembly(robot_moves, t); }
double crane_assembly(double t) { return assembly(crane_moves, t); }

BlockPlace burst_block(int burst, int k, double t) {
    const ClockWindow& w = bursts[burst];
    if (!w.holds(t)) return {0, 0, 0, 0, false};
    // Each block's flight from its own generator, so a block keeps its path from frame to frame.
    RandomGenerator random(burst_seeds[burst] + 977u * static_cast<uint32_t>(k));
    const double a = 6.2831853 * random.draw_unit();
    const double up = 4.0 + 6.0 * random.draw_unit();
    const double out = 2.5 + 4.5 * random.draw_unit();
    const double delay = 0.6 * random.draw_unit();
    const double turn = 200.0 * (random.draw_unit() - 0.5);
    const double s = t - w.from - delay;
    if (s < 0.0) return {0, 0, 0, 0, false};
    return {static_cast<float>(out * std::cos(a) * s), static_cast<float>(up * s - 0.5 * gravity * s * s),
            static_cast<float>(out * std::sin(a) * s), static_cast<float>(turn * s), true};
}

}  // namespace toys
