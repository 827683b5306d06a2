// The credits lettering: lines of text rasterised with FreeType from the DejaVu fonts and built
// up from blocks, one object per line, so the letters read as solid pieces with crisp steps.
#include "tools/assets/meshes/models.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* font_folder = "/usr/share/fonts/truetype/dejavu/";
constexpr int kPixels = 44;     // rasterising size (em height in pixels)
constexpr double kUnit = 0.03;  // model units per pixel: capitals about 1 unit tall
constexpr double kDepth = 0.28;

// A line's ink as a grid of set pixels, rows from the top.
struct Ink {
    int width = 0, height = 0, baseline = 0;  // baseline: row index of the baseline
    std::vector<unsigned char> set;
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && set[y * width + x]; }
};

Ink rasterise(std::string_view text, const char* font_file) {
    Ink ink;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string path = std::string(font_folder) + font_file;
    if (FT_Init_FreeType(&library) || FT_New_Face(library, path.c_str(), 0, &face)) {
        std::fprintf(stderr, "brinefall-assets: cannot read the font %s\n", path.c_str());
        if (library) FT_Done_FreeType(library);
        return ink;
    }
    FT_Set_Pixel_Sizes(face, 0, kPixels);
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    const int descent = static_cast<int>(-(face->size->metrics.descender >> 6));
    ink.height = ascent + descent;
    ink.baseline = ascent;
    int pen = 0;
    for (char c : text) {
        if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER)) continue;
        pen += static_cast<int>(face->glyph->advance.x >> 6);
    }
    ink.width = pen + 2;
    ink.set.assign(static_cast<size_t>(ink.width) * ink.height, 0);
    pen = 1;
    for (char c : text) {
        if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER)) continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        int left = pen + face->glyph->bitmap_left, top = ascent - face->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column) {
                int x = left + static_cast<int>(column), y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= ink.width || y >= ink.height) continue;
                if (bitmap.buffer[row * bitmap.pitch + column] >= 128) ink.set[y * ink.width + x] = 1;
            }
        pen += static_cast<int>(face->glyph->advance.x >> 6);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return ink;
}

// The ink as blocks: each run of set pixels in a row, grown down over the rows that repeat it
// exactly; centred on x = 0 with its baseline on y = `baseline`.
Shape block_text(std::string_view text, const char* font_file, double baseline) {
    Ink ink = rasterise(text, font_file);
    Shape s;
    std::vector<unsigned char> used(ink.set.size(), 0);
    const double left = -ink.width * kUnit / 2;
    for (int y = 0; y < ink.height; ++y) {
        int x = 0;
        while (x < ink.width) {
            if (!ink.at(x, y) || used[y * ink.width + x]) {
                ++x;
                continue;
            }
            int end = x;
            while (end < ink.width && ink.at(end, y) && !used[y * ink.width + end]) ++end;
            auto same_run = [&](int row) {
                if (row >= ink.height || ink.at(x - 1, row) || ink.at(end, row)) return false;
                for (int k = x; k < end; ++k)
                    if (!ink.at(k, row) || used[row * ink.width + k]) return false;
                return true;
            };
            int bottom = y + 1;
            while (same_run(bottom)) ++bottom;
            for (int row = y; row < bottom; ++row)
                for (int k = x; k < end; ++k) used[row * ink.width + k] = 1;
            double x0 = left + x * kUnit, x1 = left + end * kUnit;
            double y1 = baseline + (ink.baseline - y) * kUnit,
                   y0 = baseline + (ink.baseline - bottom) * kUnit;
            s.merge(box({x0, y0, -kDepth / 2}, {x1, y1, kDepth / 2}));
            x = end;
        }
    }
    return s;
}

}  // namespace

Model build_lettering(int sheet) {
    // Sheet 1: the show's title over the year; sheet 2: the two groups, one per line.
    Model model;
    if (sheet == 1) {
        model.add("title", block_text("Brinefall", "DejaVuSerif-Bold.ttf", 0));
        model.add("year", block_text("2010", "DejaVuSans-Bold.ttf", -1.6));
    } else {
        model.add("group_ovk", block_text("OVK", "DejaVuSans-Bold.ttf", 0));
        model.add("group_quietglyph", block_text("quietglyph", "DejaVuSans-Bold.ttf", -1.6));
    }
    return model;
}
