#pragma once
// Words set in a real typeface (the DejaVu fonts that Debian ships): the asset tool's title cards
// and loading logo, capture's contact-sheet labels.
#include <opencv2/core.hpp>

#include <string>

// The folder of the typefaces the pictures use.
inline constexpr const char* font_folder = "/usr/share/fonts/truetype/dejavu/";

// Renders `text` in the font file `font` (a name inside font_folder) with an em size of
// `pixel_size` pixels: a CV_8UC1 coverage image (0 background, 255 ink) cropped to the ink.
// An empty image when the font cannot be opened.
cv::Mat render_text(const std::string& text, const std::string& font, int pixel_size);
