// The credits lettering: words of the pixel font built from blocks, one object per line.
#include "tools/assets/meshes/models.h"
#include "tools/assets/meshes/pixel_font.h"

#include <string>
#include <string_view>

namespace {

constexpr double kPixel = 0.1;
constexpr double kDepth = 0.3;

// One line of text centred on x = 0 with its baseline on y = `baseline`; each run of set pixels
// in a glyph row is one block, so letters are solid bars rather than loose cubes.
Shape block_text(std::string_view text, double baseline) {
    Shape s;
    double left = -text_width(text) * kPixel / 2;
    for (size_t i = 0; i < text.size(); ++i) {
        double x0 = left + static_cast<double>(i) * (kGlyphWidth + 1) * kPixel;
        for (int row = 0; row < kGlyphHeight; ++row) {
            double y1 = baseline + (kGlyphBaseline - row) * kPixel, y0 = y1 - kPixel;
            int column = 0;
            while (column < kGlyphWidth) {
                if (!glyph_pixel(text[i], column, row)) {
                    ++column;
                    continue;
                }
                int end = column;
                while (end < kGlyphWidth && glyph_pixel(text[i], end, row)) ++end;
                s.merge(box({x0 + column * kPixel, y0, -kDepth / 2}, {x0 + end * kPixel, y1, kDepth / 2}));
                column = end;
            }
        }
    }
    return s;
}

}  // namespace

Model build_lettering(int sheet) {
    // Sheet 1: the show's title over the year; sheet 2: the two groups, one per line.
    Model model;
    if (sheet == 1) {
        model.add("title", block_text("Brinefall", 0));
        model.add("year", block_text("2010", -1.3));
    } else {
        model.add("group_ovk", block_text("OVK", 0));
        model.add("group_quietglyph", block_text("quietglyph", -1.3));
    }
    return model;
}
