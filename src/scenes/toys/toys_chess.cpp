#include "core/easing.h"
#include "scenes/toys/toys_chess.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "scenes/toys/toys_timeline.h"

namespace toys {

namespace {

bool is_one_of(int group, std::initializer_list<int> groups) {
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Beats of the moves: every piece moves on each beat by the same share of its whole slide, so
// the set shifts like one body, a step at a time, into its middle-game position.
constexpr std::array<double, 6> beats = {1.2, 4.4, 8.2, 11.6, 15.0, 18.2};
constexpr double beat_rate = 1.4;  // a move takes 0.7 clock seconds

// Whole slide of each group in squares (x, z): a quiet open game, both sides castled. White
// (2-17) plays towards -z, black (18-33) towards +z.
// clang-format off
constexpr std::array<std::array<float, 2>, chess_groups> slides = {{
    {0, 0}, {0, 0},
    // white pawns a..h: c3, d3, e4
    {0, 0}, {0, 0}, {0, -1}, {0, -1}, {0, -2}, {0, 0}, {0, 0}, {0, 0},
    // white back rank a..h: Nd2, Bc4, O-O, Nf3
    {0, 0}, {2, -1}, {0, 0}, {0, 0}, {2, 0}, {-3, -3}, {-1, -2}, {-2, 0},
    // black pawns a..h: d6, e5
    {0, 0}, {0, 0}, {0, 0}, {0, 1}, {0, 2}, {0, 0}, {0, 0}, {0, 0},
    // black back rank a..h: Nc6, Bc5, Nf6, O-O
    {0, 0}, {1, 2}, {0, 0}, {0, 0}, {2, 0}, {-3, 3}, {-1, 2}, {-2, 0},
    // beside the board: the spare queens and the taken pieces stand still
    {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0},
}};
// clang-format on

}  // namespace

bool piece_drawn(int group, double t, LitPass pass) {
    const bool light = pass == LitPass::light;
    if (light && is_one_of(group, {1, 25, 31, 32, 34, 38})) return false;
    if (t > 103.0 && is_one_of(group, {25, 34})) return false;
    if (t <= 100.0 && group == 25 && t > 10.0 && t < 95.0) return false;
    if (t > 100.0 && is_one_of(group, {31, 32})) return false;
    if (light && t > 21.0) return false;
    if (group == 38) return false;
    if (group == 33 && light) return false;
    return true;
}

float piece_grey(int group) {
    if (group == 0) return 1.0f;
    if (group == 1) return 0.32f;
    const bool white = (group >= 2 && group <= 17) || group == 34 || group == 36 || group == 38;
    return white ? 0.86f : 0.17f;
}

float is_board(int group) { return group == 0 ? 1.0f : 0.0f; }

double move_ramp(double t) {
    if (t <= 0.0) return 0.0;
    double r = 0.0;
    for (double beat : beats) r += eased_window(t, beat, beat_rate);
    return r / beats.size();
}

Slide piece_slide(int group, double t) {
    if (group < 0 || group >= chess_groups) return {0.0f, 0.0f};
    const float r = static_cast<float>(move_ramp(t));
    return {slides[group][0] * square * r, slides[group][1] * square * r};
}

}  // namespace toys
