#include "scenes/toys/toys_chess.h"

#include <array>

#include "core/easing.h"
#include "scenes/kit/clock_window.h"
#include "scenes/toys/toys_timeline.h"

namespace toys {

namespace {

// The groups the visibility rules name (see the slides below for the board's layout).
constexpr int board = 0, rim = 1, last_white_piece = 17, black_h_pawn = 25, black_f_bishop = 31,
              black_g_knight = 32, black_h_rook = 33, first_spare = 34, third_spare = 36, fifth_spare = 38;
constexpr int every_group = -1;

// The visibility rules: the group is hidden while the clock lies in the window, in the light
// pass only or in every pass. Each rule only hides, so their order does not matter.
struct Hiding {
    int group;  // or every_group
    ClockWindow when;
    bool light_only;
};
constexpr ClockWindow always{-never, never};
constexpr std::array<Hiding, 12> hidings = {{
    // The light leaves out the rim and a few pieces, and sees none of the set after 21.
    {rim, always, true},
    {black_h_pawn, always, true},
    {black_f_bishop, always, true},
    {black_g_knight, always, true},
    {black_h_rook, always, true},
    {first_spare, always, true},
    {every_group, {21.0, never}, true},
    // The black h-pawn is off the board from 10 until 95, and with the first spare piece after
    // 103; the black f-bishop and g-knight leave at 100.
    {black_h_pawn, {10.0, 95.0}, false},
    {black_h_pawn, {103.0, never}, false},
    {first_spare, {103.0, never}, false},
    {black_f_bishop, {100.0, never}, false},
    {black_g_knight, {100.0, never}, false},
}};
// The fifth spare piece is never drawn.
constexpr int never_drawn = fifth_spare;

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
    if (group == never_drawn) return false;
    for (const Hiding& h : hidings)
        if ((h.group == every_group || h.group == group) && (pass == LitPass::light || !h.light_only) &&
            h.when.holds(t))
            return false;
    return true;
}

float piece_grey(int group) {
    if (group == board) return 1.0f;
    if (group == rim) return 0.32f;
    const bool white = (group > rim && group <= last_white_piece) || group == first_spare ||
                       group == third_spare || group == fifth_spare;
    return white ? 0.86f : 0.17f;
}

float is_board(int group) { return group == board ? 1.0f : 0.0f; }

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
