#pragma once
// Finds pops in a sequence of frames: places where part of the picture jumps from one frame to
// the next and then stays as it jumped to (an object that vanishes or appears at once, a cut).
// Motion does not count: a moving object or camera changes the same place frame after frame, so
// no single step stands out from the steps after it. A flicker does not count either: the
// picture goes back, or keeps changing.
//
// The picture is cut into square blocks; a block pops at step k (frame k to k + 1) when its mean
// grey moves by at least `jump` in that step, each of the `quiet` steps after it changes the
// block by at most `after` of that, each of the `history` steps before it by at most `before` of
// that (looser, and longer: an object that moved a little before it vanished still pops, a
// picture that flickers now and then does not), and frame k + 2 is
// still far from frame k (at least `kept` of the jump). Step k is a pop when the largest group of
// popped blocks that touch each other covers at least `min_area` of the picture: one thing that
// vanished, not specks (particles, sparks) scattered over it.
#include <cstdint>
#include <vector>

// Grey levels 0..255, row by row from the top.
struct GreyPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> grey;
};

struct PopSettings {
    int block = 4;             // block side, pixels
    double jump = 5.0;         // how far a block's mean grey moves in the popping step
    int quiet = 3;             // steps after the jump that are looked at
    int history = 6;           // steps before it
    double after = 0.3;        // each step after changes the block by at most this share of the jump
    double before = 0.6;       // and each step before by at most this share
    double kept = 0.7;         // frame k + 2 differs from frame k by at least this share of the jump
    double min_area = 0.005;   // share of the picture's blocks
    int min_span = 2;          // blocks across and down: a streak one block thin is a glint on an edge
    double busy_around = 0.3;  // share of the blocks around a group that may change before or after
    double cut_jump = 10.0;    // mean block change of a cut
    double cut_after = 0.35;   // the steps around a cut change the picture by at most this share
};

struct Pop {
    int step = 0;      // the picture jumps from frame `step` to frame `step + 1`
    bool cut = false;  // the whole picture jumped
    // The largest group of popped blocks: its share of the picture's blocks, how far their mean
    // grey moved in the step on average, and its bounds in pixels (right, bottom exclusive).
    double area = 0;
    double strength = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Every pop of the sequence, in order. Frames must share one size; steps without `history` steps
// before them and `quiet` steps after cannot be judged and are never reported.
std::vector<Pop> find_pops(const std::vector<GreyPicture>& frames, const PopSettings& settings = {});
