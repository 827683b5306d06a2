#pragma once
// The painters of the show's pictures. Each returns the picture as the JPEG writer takes it:
// CV_8UC3 in red, green, blue order, or CV_8UC1 for the grey height field. All are pure functions
// of their code: painting twice gives the same pixels.
#include <opencv2/core.hpp>

#include <string>

// Tileable grey height field; the scenes derive a wrap-around normal map from it.
cv::Mat paint_height_field();
// Soft white radial blob, black at the border (used clamped).
cv::Mat paint_soft_blob();
// 8 × 8 board of light and dark squares with a faint grain; a8 (top left) light.
cv::Mat paint_chessboard();
// Tileable off-white paper with fibres.
cv::Mat paint_paper();
// The soft blob broken up by a mottled texture.
cv::Mat paint_textured_blob();
// Backgrounds: a deep sea-blue wash and a dusk gradient.
cv::Mat paint_sea_background();
cv::Mat paint_dusk_background();
// Tileable floral tile with grout lines at its border.
cv::Mat paint_floral_tile();
// Tileable cloud texture: white cloud on deep blue.
cv::Mat paint_cloud_texture();
// Horizontally tileable cloud skies, by day and by night.
cv::Mat paint_day_clouds();
cv::Mat paint_night_clouds();
// Tileable turtle-shell scutes.
cv::Mat paint_turtle_shell();
// A sparkle: soft core with four thin spikes, black at the border.
cv::Mat paint_sparkle();
// Dark red splatter on black, black at the border.
cv::Mat paint_blood();
// Weathered planks for the old house.
cv::Mat paint_old_planks();
// The logo in the loading ring: emblem and name inside the ring's inner circle, on black.
cv::Mat paint_loader_logo();
// A title card: `text` in white on black, centred, narrowed for a 16:9 screen since the overlay
// square is stretched to the screen's aspect; `in_band` keeps it inside the black band that the
// frame driver draws behind overlays 1 and 3.
cv::Mat paint_title_card(const std::string& text, bool in_band);

// One face of the night-sky cube map (0..5 = +X, −X, +Y, −Y, +Z, −Z), painted as a function of
// direction so neighbouring faces meet without seams. The picture is stored turned by 180°,
// because the cube-face loader turns it back.
inline constexpr int sky_face_size = 512;
cv::Mat paint_night_sky_face(int face);
