#include "tools/capture/contact_sheet.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "tools/text/text_rendering.h"

namespace {

constexpr int kColumns = 4;
constexpr int kPadding = 4;  // pixels of black around and between the tiles
constexpr const char* kLabelFont = "DejaVuSans.ttf";

// The strip under a still that holds its label, and the label's em size: readable on small
// stills, in proportion on large ones.
int label_strip_height(int still_height) { return std::max(14, still_height / 9); }
int label_pixel_size(int strip_height) { return strip_height * 7 / 10; }

std::string still_file(const std::string& folder, long frame) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame_%06ld.png", frame);
    return folder + name;
}

// White text from a coverage image, centred in `area` of the sheet and shrunk to fit its width.
void put_label(cv::Mat& sheet, cv::Mat coverage, const cv::Rect& area) {
    if (coverage.cols > area.width) {
        const double scale = static_cast<double>(area.width) / coverage.cols;
        cv::resize(coverage, coverage, cv::Size(), scale, scale, cv::INTER_AREA);
    }
    const int height = std::min(coverage.rows, area.height);
    const cv::Rect at(area.x + (area.width - coverage.cols) / 2, area.y + (area.height - height) / 2,
                      coverage.cols, height);
    cv::Mat grey;
    cv::cvtColor(coverage(cv::Rect(0, 0, coverage.cols, height)), grey, cv::COLOR_GRAY2BGR);
    cv::Mat target = sheet(at);
    cv::max(target, grey, target);
}

}  // namespace

bool read_frame_list(const std::string& folder, std::vector<SheetStill>& stills) {
    const std::string csv = folder + "/frames.csv";
    std::ifstream in(csv);
    std::string line;
    if (!in || !std::getline(in, line)) {
        std::fprintf(stderr, "brinefall-capture: cannot read %s\n", csv.c_str());
        return false;
    }
    stills.clear();
    while (std::getline(in, line)) {
        const size_t first = line.find(',');
        const size_t second = first == std::string::npos ? first : line.find(',', first + 1);
        SheetStill still;
        const auto [end, ec] = std::from_chars(line.data(), line.data() + first, still.frame);
        if (second == std::string::npos || ec != std::errc() || end != line.data() + first ||
            second == first + 1) {
            std::fprintf(stderr, "brinefall-capture: %s: malformed row \"%s\"\n", csv.c_str(), line.c_str());
            return false;
        }
        still.show_time = line.substr(first + 1, second - first - 1);
        stills.push_back(still);
    }
    return true;
}

std::string sheet_label(const SheetStill& still) {
    // Times that are not on the frame grid (the first frame after a start-up that ran with the
    // music) have six decimals; a hundredth of a second is enough under a still.
    const std::size_t point = still.show_time.find('.');
    if (point == std::string::npos || still.show_time.size() - point - 1 <= 2) return still.show_time + " s";
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.2f", std::strtod(still.show_time.c_str(), nullptr));
    std::string rounded = digits;
    rounded.erase(rounded.find_last_not_of('0') + 1);
    if (rounded.back() == '.') rounded.pop_back();
    return rounded + " s";
}

bool write_contact_sheet(const std::string& folder, const std::vector<SheetStill>& stills,
                         const std::string& file) {
    if (stills.empty()) {
        std::fprintf(stderr, "brinefall-capture: no stills for the contact sheet %s\n", file.c_str());
        return false;
    }
    cv::Mat sheet;
    int width = 0, height = 0, strip = 0;
    bool labels_missing = false;
    for (size_t i = 0; i < stills.size(); ++i) {
        const std::string path = still_file(folder, stills[i].frame);
        const cv::Mat still = cv::imread(path, cv::IMREAD_COLOR);
        if (still.empty()) {
            std::fprintf(stderr, "brinefall-capture: cannot read %s\n", path.c_str());
            return false;
        }
        if (sheet.empty()) {
            width = still.cols;
            height = still.rows;
            strip = label_strip_height(height);
            const int columns = std::min<int>(kColumns, static_cast<int>(stills.size()));
            const int rows = static_cast<int>((stills.size() + kColumns - 1) / kColumns);
            sheet = cv::Mat(rows * (height + strip + kPadding) + kPadding,
                            columns * (width + kPadding) + kPadding, CV_8UC3, cv::Scalar::all(0));
        } else if (still.cols != width || still.rows != height) {
            std::fprintf(stderr, "brinefall-capture: %s is not %dx%d like the first still\n", path.c_str(),
                         width, height);
            return false;
        }
        const int x = kPadding + static_cast<int>(i % kColumns) * (width + kPadding);
        const int y = kPadding + static_cast<int>(i / kColumns) * (height + strip + kPadding);
        still.copyTo(sheet(cv::Rect(x, y, width, height)));
        if (labels_missing) continue;
        const cv::Mat label = render_text(sheet_label(stills[i]), kLabelFont, label_pixel_size(strip));
        if (label.empty())
            labels_missing = true;  // no font: said once below, not for every still
        else
            put_label(sheet, label, cv::Rect(x, y + height, width, strip));
    }
    if (labels_missing)
        std::fprintf(stderr,
                     "brinefall-capture: the labels need %s%s (fonts-dejavu-core); the "
                     "sheet has none\n",
                     font_folder, kLabelFont);
    if (!cv::imwrite(file, sheet)) {
        std::fprintf(stderr, "brinefall-capture: cannot write %s\n", file.c_str());
        return false;
    }
    return true;
}
