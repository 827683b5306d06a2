#pragma once
// A stretch of the show captured by brinefall-capture, read back for the pop check: the rows of
// frames.csv, the frames as grey pictures, and the show's own cuts a step between two frames may
// span (where a jump of the picture is the show's, not a pop).
#include <string>
#include <vector>

#include "tests/pops/pop_detector.h"

struct CapturedFrame {
    int frame = 0;
    double show_time = 0;
    int slot = -1;     // the roster slot that drew it
    double clock = 0;  // the scene clock it left
};

// Runs brinefall-capture for show times from..to at `fps` and `size` ("160x90") into `folder`;
// false, with capture's own words in `error`, when it fails.
bool capture_stretch(const std::string& capture, const std::string& show_dir, double from, double to, int fps,
                     const std::string& size, const std::string& folder, std::string& error);

// The rows of frames.csv in the folder; empty when it cannot be read.
std::vector<CapturedFrame> read_frames(const std::string& folder);

// The written frames of the rows, as grey pictures; empty when one cannot be read.
std::vector<GreyPicture> read_pictures(const std::string& folder, const std::vector<CapturedFrame>& frames);

// Why the step from frame `step` to the next is one of the show's own cuts, or null when it is an
// ordinary step: a scene change, a jump of the scene clock (the opening's jumps to 56, the toys
// scene's over 146..159, the catch-up after a flash), or a flash or picture overlay of the
// timeline (the scenes draw ahead and the overlay comes and goes).
const char* own_cut(const std::vector<CapturedFrame>& frames, std::size_t step);
