// media_review OUT_DIR [--music]: material for a person to look at. Writes OUT_DIR/contact_sheet.png
// (every picture as its JPEG decodes, then every cut-out, each labelled with its file name) and
// OUT_DIR/accents.txt (the accented times, one a line); with --music also OUT_DIR/music.ogg.
// review.sh turns the music into a spectrogram with the accents marked.
#include "tools/assets/media/cutouts.h"
#include "tools/assets/media/image_sequence.h"
#include "tools/assets/media/paper_cut.h"
#include "tools/assets/media/pictures.h"
#include "tools/assets/media/score.h"
#include "tools/assets/media/vorbis_writer.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kCell = 200, kLabel = 18, kColumns = 8;

cv::Mat cell(const cv::Mat& picture, const std::string& label) {
    cv::Mat out(kCell + kLabel, kCell, CV_8UC3, cv::Scalar(60, 60, 60));
    cv::Mat scaled;
    const double s =
        std::min(static_cast<double>(kCell) / picture.cols, static_cast<double>(kCell) / picture.rows);
    cv::resize(picture, scaled, cv::Size(), s, s, cv::INTER_AREA);
    if (scaled.channels() == 1) cv::cvtColor(scaled, scaled, cv::COLOR_GRAY2BGR);
    scaled.copyTo(
        out(cv::Rect((kCell - scaled.cols) / 2, (kCell - scaled.rows) / 2, scaled.cols, scaled.rows)));
    const std::string name = std::filesystem::path(label).filename().string();
    cv::putText(out, name, {4, kCell + 13}, cv::FONT_HERSHEY_SIMPLEX, 0.4, cv::Scalar(255, 255, 255), 1,
                cv::LINE_AA);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: media_review OUT_DIR [--music]\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);

    std::vector<cv::Mat> cells;
    for (const PictureEntry& e : picture_entries()) {
        const std::string jpeg = encode_jpeg(e.paint(e.variant), e.encoding);
        const cv::Mat decoded =
            cv::imdecode(cv::Mat(1, static_cast<int>(jpeg.size()), CV_8UC1, const_cast<char*>(jpeg.data())),
                         cv::IMREAD_COLOR);
        cells.push_back(cell(decoded, e.name));
    }
    for (const CutoutEntry& e : cutout_entries()) cells.push_back(cell(e.cut(), e.name));
    for (int k : {0, 4, 8, 12, 16, 128})
        cells.push_back(cell(paint_sequence_frame(k), sequence_frame_name(k)));

    const int rows = (static_cast<int>(cells.size()) + kColumns - 1) / kColumns;
    cv::Mat sheet(rows * (kCell + kLabel), kColumns * kCell, CV_8UC3, cv::Scalar(40, 40, 40));
    for (size_t i = 0; i < cells.size(); ++i) {
        const int r = static_cast<int>(i) / kColumns, c = static_cast<int>(i) % kColumns;
        cells[i].copyTo(sheet(cv::Rect(c * kCell, r * (kCell + kLabel), kCell, kCell + kLabel)));
    }
    cv::imwrite((out / "contact_sheet.png").string(), sheet);

    std::ofstream accents(out / "accents.txt");
    for (const Accent& a : kAccents) accents << a.time << "\n";

    if (argc > 2 && !std::strcmp(argv[2], "--music"))
        std::ofstream(out / "music.ogg", std::ios::binary) << encode_vorbis(synthesise_music());
    return 0;
}
