// The paper cut-outs as the extruder will read them: one solid outline each, the holes their
// design cuts (exactly 128, surrounded by paper), clean values, and outlines whose resampled
// caps fit the extruder's vertex array.
#include "tests/assets_media/outline_budget.h"
#include "tools/assets/media/cutouts.h"
#include "tools/assets/media/paper_cut.h"
#include "tools/assets/pack.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <set>

namespace {

const char* const expected_names[] = {
    "textures//w1.png",      "textures//w2.png",      "textures//Tsun.png",    "textures//Tcloud.png",
    "textures//Tmoon.png",   "textures//cc1a.png",    "textures//cc1b.png",    "textures//cc2a.png",
    "textures//cc2b.png",    "textures//fish2a1.png", "textures//fish2a2.png", "textures//fish2a3.png",
    "textures//fish2a5.png", "textures//fish2a6.png", "textures//fish3a1.png", "textures//fish3a2.png",
};

constexpr double cutout_fine_density = 180;  // the middle scene's fine density for cut-outs
constexpr int cap_vertex_limit = 8192;

cv::Mat read_back(const std::string& png) {
    return cv::imdecode(cv::Mat(1, static_cast<int>(png.size()), CV_8UC1, const_cast<char*>(png.data())),
                        cv::IMREAD_GRAYSCALE);
}

TEST(Cutouts, EveryNameTheMiddleSceneReadsIsGenerated) {
    std::set<std::string> names;
    for (const CutoutEntry& e : cutout_entries()) names.insert(e.name);
    EXPECT_EQ(names, std::set<std::string>(std::begin(expected_names), std::end(expected_names)));
}

TEST(Cutouts, OneSolidOutlineAndTheIntendedHolesSurvivingAPngRoundTrip) {
    for (const CutoutEntry& e : cutout_entries()) {
        SCOPED_TRACE(e.name);
        const cv::Mat cut = e.cut();
        const cv::Mat picture = read_back(encode_grey_png(cut));
        ASSERT_EQ(picture.type(), CV_8UC1);
        ASSERT_EQ(picture.size(), cv::Size(cutout_size, cutout_size));
        EXPECT_EQ(cv::norm(picture, cut, cv::NORM_INF), 0.0);

        // Only paper, hole and background: no grey that either pass would misread.
        cv::Mat other = (picture != 0) & (picture != kHole) & (picture != kPaper);
        EXPECT_EQ(cv::countNonZero(other), 0);

        const OutlineCount outlines = count_outlines(picture, cutout_fine_density);
        EXPECT_EQ(outlines.solids.size(), 1u);
        EXPECT_EQ(static_cast<int>(outlines.holes.size()), e.holes);
        for (const auto& outline : outlines.solids) EXPECT_GT(outline.size(), 28u);
        for (const auto& outline : outlines.holes) EXPECT_GE(outline.size(), 4u);
        EXPECT_LT(outlines.cap_vertices, cap_vertex_limit);
        EXPECT_EQ(enclosed_background(picture), 0);

        // Every hole lies inside paper: dilating the holes never reaches the background.
        cv::Mat holes = picture == kHole, grown;
        cv::dilate(holes, grown, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
        EXPECT_EQ(cv::countNonZero(grown & (picture == 0)), 0);

        // A sensible amount of paper: neither a speck nor the whole sheet.
        const double paper = cv::countNonZero(picture >= 128) / static_cast<double>(picture.total());
        EXPECT_GT(paper, 0.08);
        EXPECT_LT(paper, 0.75);
        // The picture's border is background, so the outline is closed within the sheet.
        cv::Mat border = picture.clone();
        border(cv::Rect(1, 1, cutout_size - 2, cutout_size - 2)).setTo(0);
        EXPECT_EQ(cv::countNonZero(border), 0);
    }
}

TEST(Cutouts, OutlineCountSeesASeededHoleAndOverBudgetShapes) {
    // A disc with a ring of exactly 128 inside: one solid outline, one hole outline (the ring's
    // outer boundary), as the extruder's two passes find them.
    cv::Mat disc(200, 200, CV_8UC1, cv::Scalar(0));
    cv::circle(disc, {100, 100}, 80, cv::Scalar(255), cv::FILLED);
    cv::circle(disc, {100, 100}, 40, cv::Scalar(128), 6);
    const OutlineCount ring = count_outlines(disc, 180);
    EXPECT_EQ(ring.solids.size(), 1u);
    EXPECT_EQ(ring.holes.size(), 1u);
    EXPECT_EQ(enclosed_background(disc), 0);
    // A black ring inside the disc would be filled in rather than cut: it is reported.
    cv::circle(disc, {100, 100}, 60, cv::Scalar(0), 3);
    EXPECT_GT(enclosed_background(disc), 0);
    // Fine stripes have far more outline than the vertex array holds.
    cv::Mat stripes(512, 512, CV_8UC1, cv::Scalar(0));
    for (int x = 4; x < 508; x += 4) stripes.colRange(x, x + 2).rowRange(4, 508).setTo(255);
    EXPECT_GT(count_outlines(stripes, 180).cap_vertices, 8192);
}

TEST(Cutouts, RepeatByteForByte) {
    for (const CutoutEntry& e : cutout_entries())
        EXPECT_EQ(encode_grey_png(e.cut()), encode_grey_png(e.cut())) << e.name;
}

}  // namespace
