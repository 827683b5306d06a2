#pragma once
// The image sequence of the middle scene: 257 greyscale frames of a figure running on the spot,
// white on black, looping seamlessly (frame 256 runs into frame 0). Gaps that a limb closes
// against the body are holes (value 128), so the extruder cuts them out. Each frame carries one
// marker pixel of value kMarkerValue — not solid for the extruder (below 128) but found by the
// scene's marker scan (at least 101) — one row below the lowest point of the figure, under its
// hips: where the figure stands. Being below every white pixel it is the last pixel of at least
// 101 in raster order, as the scene's scan requires.
#include <opencv2/core.hpp>

#include <string>

inline constexpr int kSequenceFrames = 257;
inline constexpr int kSequenceSize = 132;  // square, so the extruder keeps the figure's proportions
inline constexpr unsigned char kMarkerValue = 110;
// Whole strides over the loop: a stride of 257/14 ≈ 18.4 frames, 0.61 s at 30 frames a second.
inline constexpr int kSequenceStrides = 14;

// The file name the scene builds for frame k ("textures//videos1//t0000.png" ...).
std::string sequence_frame_name(int k);

// Frame k, CV_8UC1: 0 background, 255 figure, 128 enclosed gaps, one marker pixel.
cv::Mat paint_sequence_frame(int k);

// Where the marker of frame k sits (column, row).
cv::Point sequence_marker(int k);
