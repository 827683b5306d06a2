#include "tools/assets/media/pictures.h"

#include "tools/assets/generators.h"
#include "tools/assets/media/picture_painting.h"

#include <array>
#include <vector>

namespace {

using Sampling = JpegEncoding::Sampling;

constexpr JpegEncoding baseline420{Sampling::yuv420, 90, false, 0};
constexpr JpegEncoding baseline422{Sampling::yuv422, 90, false, 0};
constexpr JpegEncoding baseline444{Sampling::yuv444, 92, false, 0};
constexpr JpegEncoding progressive420{Sampling::yuv420, 88, true, 0};
constexpr JpegEncoding progressive444{Sampling::yuv444, 90, true, 0};
constexpr JpegEncoding restarts420{Sampling::yuv420, 90, false, 1};
constexpr JpegEncoding restarts422{Sampling::yuv422, 88, false, 3};
constexpr JpegEncoding kGrey{Sampling::grey, 94, false, 0};

constexpr std::array<const char*, 6> sky_faces = {
    "textures/1/1night_posx.jpg", "textures/1/1night_negx.jpg", "textures/1/1night_posy.jpg",
    "textures/1/1night_negy.jpg", "textures/1/1night_posz.jpg", "textures/1/1night_negz.jpg",
};

// Words of the title cards, by overlay number: the show's title, the two groups as the setup
// dialog names them, then one word for each later section.
constexpr std::array<const char*, 6> card_words = {"Brinefall", "OVK",   "quietglyph",
                                                   "paper",     "night", "thanks"};

template <cv::Mat (*Painter)()>
cv::Mat plain(int) {
    return Painter();
}

cv::Mat card(int overlay) {
    return paint_title_card(card_words[static_cast<size_t>(overlay)], overlay == 1 || overlay == 3);
}
cv::Mat sky_face(int face) { return paint_night_sky_face(face); }

std::vector<PictureEntry> make_entries() {
    std::vector<PictureEntry> entries = {
        {"textures/noise.jpg", "tileable grey height field (normal maps)", kGrey, plain<paint_height_field>,
         0},
        {"textures/blob41b.jpg", "soft radial blob", baseline444, plain<paint_soft_blob>, 0},
        {"textures/chessboard.jpg", "8x8 chessboard", progressive444, plain<paint_chessboard>, 0},
        {"textures/paper.jpg", "tileable fibrous paper", progressive420, plain<paint_paper>, 0},
        {"textures/texturedblob.jpg", "mottled soft blob", baseline420, plain<paint_textured_blob>, 0},
        {"textures/bg10.jpg", "deep sea-blue background", baseline422, plain<paint_sea_background>, 0},
        {"textures/bg03.jpg", "dusk background", baseline420, plain<paint_dusk_background>, 0},
        {"textures/tile.jpg", "tileable floral tile", restarts420, plain<paint_floral_tile>, 0},
        {"textures/cloudt3.jpg", "tileable cloud texture", baseline420, plain<paint_cloud_texture>, 0},
        {"textures/theclouds.jpg", "day cloud sky, tileable across", progressive420, plain<paint_day_clouds>,
         0},
        {"textures/theclouds2.jpg", "night cloud sky, tileable across", restarts422,
         plain<paint_night_clouds>, 0},
        {"textures/turtle.jpg", "tileable turtle shell", baseline422, plain<paint_turtle_shell>, 0},
        {"textures/53.jpg", "sparkle", baseline444, plain<paint_sparkle>, 0},
        {"textures/blood.jpg", "red splatter", baseline420, plain<paint_blood>, 0},
        {"textures/yeolde.jpg", "weathered planks", baseline420, plain<paint_old_planks>, 0},
        {"textures/theloader3.jpg", "loading-screen logo", baseline444, plain<paint_loader_logo>, 0},
    };
    for (int overlay = 0; overlay < 6; ++overlay)
        entries.push_back({"textures/P" + std::to_string(overlay + 1) + ".jpg",
                           std::string("title card \"") + card_words[static_cast<size_t>(overlay)] + "\"",
                           baseline420, card, overlay});
    for (int face = 0; face < 6; ++face)
        entries.push_back({sky_faces[static_cast<size_t>(face)], "night-sky cube face",
                           face == 2 ? progressive420 : baseline420, sky_face, face});
    return entries;
}

}  // namespace

std::vector<PictureEntry> picture_entries() { return make_entries(); }

std::span<const char* const> night_sky_face_names() { return sky_faces; }

void add_pictures(Pack& pack) {
    for (const PictureEntry& entry : picture_entries())
        pack.add(entry.name, entry.description,
                 [&] { return encode_jpeg(entry.paint(entry.variant), entry.encoding); });
}
