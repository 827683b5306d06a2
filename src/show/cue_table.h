#pragma once
// Show-time intervals mapped to cue numbers: the scenes read the frame's cue value to fire
// timed beats (chess moves, flashes of the toys, the drum run before the middle scene).
#include <array>
#include <cstddef>

struct CueEntry {
    double start;  // seconds of show time, inclusive
    double end;    // inclusive
    int value;
};

class CueTable {
public:
    // Fills the table with the show's cues.
    void initialise();
    // The value of the last entry, in table order, whose closed interval holds t; 0 outside
    // every entry. Later entries win where intervals overlap or touch.
    int query(double t) const;
    std::size_t count() const { return count_; }

private:
    static constexpr std::size_t kCapacity = 31;
    std::array<CueEntry, kCapacity> entries_{};
    std::size_t count_ = 0;
};
