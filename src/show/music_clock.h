#pragma once
// The music clock the show clock follows.
#include <cstdint>

// Seconds of music played: the sample count (unsigned, so a count past 2^31 never reads as
// negative) over the playback rate. Without a rate there is no music clock to follow, and the
// show time is returned so that no correction results.
double music_time(uint32_t position, int rate, double show_time);

// The lock stops at 470 s; from there the show runs freely on the timer.
inline constexpr double music_lock_end = 470.0;

// One tenth (the single-precision 0.1) of the music's lead over the show clock, or 0 after the
// lock has stopped. The frame driver adds it to the frame's step.
double music_correction(double music_time, double show_time);
