#pragma once
// A 5×9 pixel font (7 rows above the baseline, 2 for descenders) for the contact sheet's labels.
#include <string_view>

inline constexpr int glyph_width = 5;
inline constexpr int glyph_height = 9;
inline constexpr int glyph_baseline = 7;  // rows 0..6 stand on the baseline, 7..8 hang below

// Whether pixel (column, row) of the character's glyph is set; row 0 is the top. Characters
// without a glyph are blank; upper-case letters without their own glyph use the lower-case one.
bool glyph_pixel(char c, int column, int row);
// Advance of a string in pixels, one blank column between characters.
int text_width(std::string_view text);
