#pragma once
// The paper cut-outs of the middle scene: square greyscale PNG silhouettes, white paper on
// black, each with the holes (value 128) its design needs. The extruder finds one solid outline
// per cut-out and one outline per hole.
#include <opencv2/core.hpp>

#include <string>
#include <vector>

inline constexpr int cutout_size = 512;

struct CutoutEntry {
    std::string name;  // show-relative file name, exactly as the scene spells it
    std::string description;
    int holes;  // separate hole regions the design cuts
    cv::Mat (*cut)();
};

std::vector<CutoutEntry> cutout_entries();
