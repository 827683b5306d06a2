#include "tools/text/text_rendering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdio>
#include <vector>

cv::Mat render_text(const std::string& text, const std::string& font, int pixel_size) {
    FT_Library library;
    if (FT_Init_FreeType(&library)) return {};
    FT_Face face;
    const std::string path = std::string(font_folder) + font;
    if (FT_New_Face(library, path.c_str(), 0, &face)) {
        std::fprintf(stderr, "cannot open font %s\n", path.c_str());
        FT_Done_FreeType(library);
        return {};
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_size));

    // Lay the glyphs out on a canvas with generous margins, then crop to the ink.
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    const int height = static_cast<int>((face->size->metrics.height >> 6) + pixel_size);
    cv::Mat canvas(height, static_cast<int>(text.size() + 2) * pixel_size, CV_8UC1, cv::Scalar(0));
    int pen_x = pixel_size / 2;
    const int baseline = ascent + pixel_size / 4;
    FT_UInt previous = 0;
    for (unsigned char ch : text) {
        FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (previous && glyph && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
            pen_x += static_cast<int>(kern.x >> 6);
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER)) continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int left = pen_x + face->glyph->bitmap_left;
        const int top = baseline - face->glyph->bitmap_top;
        for (unsigned r = 0; r < bitmap.rows; ++r) {
            for (unsigned c = 0; c < bitmap.width; ++c) {
                const int y = top + static_cast<int>(r), x = left + static_cast<int>(c);
                if (y < 0 || y >= canvas.rows || x < 0 || x >= canvas.cols) continue;
                unsigned char& dst = canvas.at<unsigned char>(y, x);
                dst = std::max(dst, bitmap.buffer[r * static_cast<unsigned>(bitmap.pitch) + c]);
            }
        }
        pen_x += static_cast<int>(face->glyph->advance.x >> 6);
        previous = glyph;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    std::vector<cv::Point> ink;
    cv::findNonZero(canvas, ink);
    if (ink.empty()) return {};
    return canvas(cv::boundingRect(ink)).clone();
}
