#pragma once
// The image sequence of the middle scene: 257 greyscale frames of a figure running on the spot,
// white on black, looping seamlessly (frame 256 runs into frame 0). Gaps that a limb closes
// against the body are holes (value 128), so the extruder cuts them out.
//
// Each frame carries one marker pixel of value marker_value — not solid for the extruder (below
// 128) but found by the scene's marker scan (at least 101) — on the ground under the figure's
// hips: where the figure stands. It sits below every pixel of the figure, so it is the last
// pixel of at least 101 in raster order, as the scan requires. The figure runs on the spot, so
// the marker is the same in every frame and the people the scene places by it stand still
// rather than jittering a row at a time (the scene reads it as column − 66 = 0 and
// row − 16 = 108).
#include <opencv2/core.hpp>

#include <string>

inline constexpr int kSequenceFrames = 257;
inline constexpr int sequence_size = 132;  // square, so the extruder keeps the figure's proportions
inline constexpr unsigned char marker_value = 110;
inline constexpr int kMarkerColumn = sequence_size / 2;
inline constexpr int kMarkerRow = 124;  // one below the lowest row the figure's feet reach
// Whole strides over the loop: a stride of 257/14 ≈ 18.4 frames, 0.61 s at 30 frames a second.
inline constexpr int sequence_strides = 14;

// The file name the scene builds for frame k ("textures//videos1//t0000.png" ...).
std::string sequence_frame_name(int k);

// Frame k, CV_8UC1: 0 background, 255 figure, 128 enclosed gaps, one marker pixel.
cv::Mat paint_sequence_frame(int k);
