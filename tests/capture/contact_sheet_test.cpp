// The contact sheet from a capture folder: labels from frames.csv, stills tiled four across.
#include "tools/capture/contact_sheet.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "tools/capture/frame_output.h"

namespace fs = std::filesystem;

namespace {

TEST(ShowTimeText, KeepsMicrosecondsWithoutTrailingZeros) {
    EXPECT_EQ(show_time_text(30.2000001), "30.2");
    EXPECT_EQ(show_time_text(30.0), "30.0");
    EXPECT_EQ(show_time_text(0.0), "0.0");
    EXPECT_EQ(show_time_text(0.35), "0.35");
    EXPECT_EQ(show_time_text(506.1234567), "506.123457");
    EXPECT_EQ(show_time_text(-0.0000001), "0.0");  // rounds to zero: no "-0.0" label
}

class ContactSheet : public ::testing::Test {
protected:
    static constexpr int kWidth = 40, kHeight = 20;

    void SetUp() override {
        folder_ =
            fs::temp_directory_path() / ("contact_sheet_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A still of one colour, blue-green-red, whose blue is the frame number.
    void write_still(long frame, int width = kWidth, int height = kHeight) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%06ld.png", frame);
        cv::imwrite((folder_ / name).string(),
                    cv::Mat(height, width, CV_8UC3, cv::Scalar(static_cast<double>(frame), 90, 30)));
    }
    void write_csv(const std::string& rows) {
        std::ofstream(folder_ / "frames.csv") << "frame,show_time,scene_slot,scene_clock,cpu_ms\n" << rows;
    }
    std::string sheet() const { return (folder_ / "sheet.png").string(); }

    fs::path folder_;
};

TEST_F(ContactSheet, ReadsTheFrameListAndLabelsEachStillWithItsCsvTime) {
    write_csv("0,0.0,-1,0.000000,12.5\n75,15.2,0,3.100000,20.0\n150,30.2,0,9.000000,21.0\n");
    std::vector<SheetStill> stills;
    ASSERT_TRUE(read_frame_list(folder_.string(), stills));
    ASSERT_EQ(stills.size(), 3u);
    EXPECT_EQ(stills[1].frame, 75);
    EXPECT_EQ(stills[2].frame, 150);
    EXPECT_EQ(sheet_label(stills[0]), "0.0 s");
    EXPECT_EQ(sheet_label(stills[1]), "15.2 s");
    EXPECT_EQ(sheet_label(stills[2]), "30.2 s");
    // Off the frame grid: rounded to hundredths.
    EXPECT_EQ(sheet_label(SheetStill{40, "10.246305"}), "10.25 s");
    EXPECT_EQ(sheet_label(SheetStill{41, "15.199926"}), "15.2 s");
    EXPECT_EQ(sheet_label(SheetStill{42, "29.999001"}), "30 s");
}

TEST_F(ContactSheet, RefusesAMissingOrMalformedFrameList) {
    std::vector<SheetStill> stills;
    EXPECT_FALSE(read_frame_list(folder_.string(), stills));
    for (const char* row : {"x,1.0,0,0,0\n", "5\n", "5,,0,0,0\n", "5x,1.0,0,0,0\n"}) {
        write_csv(row);
        EXPECT_FALSE(read_frame_list(folder_.string(), stills)) << row;
    }
}

TEST_F(ContactSheet, TilesFourAcrossWithALabelUnderEachStill) {
    std::vector<SheetStill> stills;
    for (long frame : {10, 20, 30, 40, 50}) {
        write_still(frame);
        stills.push_back({frame, std::to_string(frame / 10) + ".5"});
    }
    ASSERT_TRUE(write_contact_sheet(folder_.string(), stills, sheet()));
    const cv::Mat image = cv::imread(sheet(), cv::IMREAD_COLOR);
    // 4 px of black around and between tiles; a 14 px label strip under each still.
    ASSERT_EQ(image.cols, 4 * (kWidth + 4) + 4);
    ASSERT_EQ(image.rows, 2 * (kHeight + 14 + 4) + 4);
    for (size_t i = 0; i < stills.size(); ++i) {
        const int x = 4 + static_cast<int>(i % 4) * (kWidth + 4);
        const int y = 4 + static_cast<int>(i / 4) * (kHeight + 14 + 4);
        const cv::Vec3b centre = image.at<cv::Vec3b>(y + kHeight / 2, x + kWidth / 2);
        EXPECT_EQ(centre, cv::Vec3b(static_cast<uchar>(stills[i].frame), 90, 30)) << i;
        double ink = 0;
        cv::minMaxLoc(image(cv::Rect(x, y + kHeight, kWidth, 14)).reshape(1), nullptr, &ink);
        EXPECT_GT(ink, 200) << "no label under still " << i;
    }
    // The cells after the last still stay black.
    double rest = 0;
    cv::minMaxLoc(
        image(cv::Rect(4 + kWidth + 4, 4 + kHeight + 18, 3 * (kWidth + 4), kHeight + 14)).reshape(1), nullptr,
        &rest);
    EXPECT_EQ(rest, 0);
}

TEST_F(ContactSheet, RefusesNoStillsAMissingStillAndStillsOfDifferentSizes) {
    EXPECT_FALSE(write_contact_sheet(folder_.string(), {}, sheet()));
    write_still(1);
    EXPECT_FALSE(write_contact_sheet(folder_.string(), {{1, "0.1"}, {2, "0.2"}}, sheet()));
    write_still(2, kWidth, kHeight + 2);
    EXPECT_FALSE(write_contact_sheet(folder_.string(), {{1, "0.1"}, {2, "0.2"}}, sheet()));
    EXPECT_FALSE(fs::exists(sheet()));
}

}  // namespace
