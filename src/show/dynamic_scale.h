#pragma once
// The render scale that follows the show (the setup dialog's "auto"): every scene gets the
// largest scale of a ladder that holds the frame budget for it, judged from its own frames while
// the show plays (the middle scene needs a smaller one than the final scene). The ladder holds the
// dialog's scales and one between each two of them: a step is about a sixth of the width, so a
// scene does not draw at two thirds of the pixels it could afford because the next of the
// dialog's scales costs twice as much.
//
// A scene whose recent frames miss the budget steps down one scale; one whose frames would fit a
// larger scale with room to spare steps up, as many steps as fit. What a step up costs is first
// guessed from the share of a frame that does not shrink with the render area (the start-up
// probe's estimate); once a scene has drawn on both sides of a step, the growth it measured there
// is used instead, so a guess that proved too bold is not tried again while the scene's frames
// stay as heavy. Only the first step of a climb goes on that guess; further unmeasured steps
// must fit as if all of a frame grew with the pixels. Between the two thresholds nothing
// changes, and a scale that was just changed rests, so it does not flicker. A change is made on a
// frame where it is not seen (a cut to another scene, a flash, the frame after a dark one) or,
// when none comes, slowly: after a long stretch at one scale. The one exception is a guessed
// step up whose frames miss the budget: it is taken back as soon as its frames are judged, seen
// or not, since a stutter shows more than a softer picture.
#include <array>
#include <vector>

class DynamicScale {
public:
    static constexpr std::array<double, 9> scales = {1.0, 0.87, 0.75, 0.62, 0.5, 0.42, 0.35, 0.3, 0.25};
    static constexpr int window = 15;        // frames judged together (their median)
    static constexpr int rest = 45;          // frames at a scale before it may change again
    static constexpr int unseen_wait = 300;  // frames without a cut or flash before a change anyway
    static constexpr double too_slow = 1.0;  // × budget: step down above it
    static constexpr double room = 0.9;      // × budget: step up when the larger scale fits it

    // Every scene slot starts at the largest scale not above `start`. `fixed_share` (0..1) is the
    // part of a full-size frame's time that does not shrink with the render area; 0 takes a
    // frame's whole cost as growing with the pixels, the safe guess.
    DynamicScale(double budget_ms, double start, double fixed_share = 0.0);

    // A frame of `slot` drawn at the slot's current scale took `ms`.
    void record(int slot, double ms);
    // The scale the next frame of `slot` draws at. `unseen`: a change would not be seen on it.
    double scale_for(int slot, bool unseen);
    double current(int slot) const { return scales[slots_[slot].level]; }

private:
    struct Slot {
        int level = 0;
        int frames = 0;  // at this level
        std::vector<double> recent;
        // growth[l]: a frame at level l - 1 over one at level l, as measured; 0 until then.
        std::array<double, scales.size()> growth{};
        int level_before = -1;  // the level before the last change, until its growth is measured
        double median_before = 0;
        bool guessed_up = false;  // the level was reached by a step up on a guessed cost
    };
    // The level the recent frames ask for, or the current one.
    int wanted(const Slot& slot) const;
    // What a frame costs at level - 1 over one at `level`, before any was measured.
    double guessed_growth(int level) const;

    double budget_ms_;
    double fixed_share_;
    std::array<Slot, 4> slots_;
};
