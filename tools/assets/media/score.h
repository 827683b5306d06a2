#pragma once
// The show's music as a score: an original piece at 140 beats per minute in A minor whose
// sections follow the show's timeline and whose accents land on the cues.
//
//   0 – 76.8 s    the sea: swells, slow pads, a bell arpeggio, a pulse that wakes up
//   76.8 – 80 s   the lift into the toys: riser and snare roll
//   80 – 289 s    the toys: four-to-the-floor groove, plucked arpeggios, a lead, breakdowns,
//                 and a stuttering break of irregular stabs (266 – 283 s)
//   289 – 361 s   the paper world: half-time drums under marimba arpeggios
//   361 – 512 s   the night: a harmonic-minor opening, the finale groove, the credits, and a
//                 last chord that the show's fade (495 – 505 s) closes
//
// The beat grid starts on the first cue (80.0 s), so the cues at 80.0, 85.14, 92.85 and 98.0 s
// fall on beats; every other accent is placed at its exact time.
#include "tools/assets/media/synthesiser.h"

#include <span>
#include <vector>

inline constexpr double music_seconds = 512;
inline constexpr double beat_seconds = 60.0 / 140;
inline constexpr double grid_origin = 80.0;

struct Accent {
    double time;    // seconds
    bool full_hit;  // a full hit (thump and wash) rather than a short stab
};

// Every accented time: the starts of the overlay cues and the flash windows, and the cue-table
// entries the scenes react to.
inline constexpr Accent kAccents[] = {
    // cue entries on the grid, and the end of the third
    {80.0, true},
    {85.14, true},
    {92.85, true},
    {98.0, true},
    // title card, flashes
    {82.3, true},
    {99.0, true},
    {104.94, false},
    {105.01, false},
    {105.134, false},
    {113.0, false},
    {114.5, false},
    {116.0, false},
    {117.5, false},
    {119.0, false},
    {123.0, true},
    {124.4, true},
    {125.8, true},
    {127.2, true},
    {128.6, true},
    {204.4, true},
    {226.281, true},
    {227.281, true},
    {246.86, true},
    {266.1, true},
    // the stuttering break
    {267.442, false},
    {267.775, false},
    {268.073, false},
    {268.5, false},
    {269.141, false},
    {270.858, false},
    {271.402, false},
    {274.329, false},
    {274.765, false},
    {275.07, false},
    {275.402, false},
    {276.031, false},
    {276.356, false},
    {276.688, false},
    {277.752, false},
    {277.965, false},
    {278.289, false},
    {278.595, false},
    {279.438, false},
    {280.102, false},
    {280.741, false},
    {281.741, true},
    // paper world and night
    {342.7, true},
    {368.5, true},
    {370.5, true},
    {390.0, true},
    {393.0, true},
    {395.0, true},
    {398.0, true},
    {404.0, true},
    {452.0, true},
};

// The notes of the whole piece, in no particular order.
std::vector<Note> compose_score();

// The finished stereo mix (music_seconds long): voices, delay, reverb, master stage.
StereoBuffer synthesise_music();
