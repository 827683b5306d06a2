#pragma once
// The pictures of the pack: every JPEG the scenes and the loading screen read, each with its
// painter and its encoding. The encodings differ on purpose (baseline and progressive, 4:2:0,
// 4:2:2, 4:4:4 and grey, with and without restart markers) so that the show's decoder meets
// every layout in its own data.
#include "tools/assets/media/jpeg_writer.h"

#include <opencv2/core.hpp>

#include <span>
#include <string>
#include <vector>

struct PictureEntry {
    std::string name;  // show-relative file name, exactly as the scenes spell it
    std::string description;
    JpegEncoding encoding;
    cv::Mat (*paint)(int variant);
    int variant;  // which card or cube face, for painters that make several
};

std::vector<PictureEntry> picture_entries();

// The six night-sky faces in the order the cube loader takes them: +X, −X, +Y, −Y, +Z, −Z.
std::span<const char* const> night_sky_face_names();
