// scripts/headless.sh end to end on the real capture program, as ./run.sh runs it without a
// display, over the first two seconds of the show. ImageMagick's programs are on the PATH and
// fail the way they do without their fonts: the contact sheet must not need them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <string>

#include "tests/support/program_run.h"

namespace fs = std::filesystem;

namespace {

TEST(HeadlessScript, MakesALabelledContactSheetAndAVideoWithMusic) {
    const fs::path root = fs::temp_directory_path() / ("headless_script_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "scripts");
    fs::create_directories(root / "bin");
    fs::copy_file(fs::path(BRINEFALL_SOURCE_DIR) / "scripts" / "headless.sh",
                  root / "scripts" / "headless.sh");
    for (const char* program : {"montage", "convert", "magick"}) {
        std::ofstream(root / "bin" / program)
            << "#!/bin/sh\necho \"" << program << ": unable to read font 'helvetica'\" >&2\nexit 1\n";
        fs::permissions(root / "bin" / program, fs::perms::owner_all, fs::perm_options::add);
    }

    const ProgramRun run = run_program(
        "cd '" + root.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY PATH='" + (root / "bin").string() +
        ":'\"$PATH\" BRINEFALL_BUILD_DIR='" + BRINEFALL_BUILD_DIR + "' scripts/headless.sh --video --to 2");
    ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Contact sheet: out/headless/contact_sheet.png"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Video: out/headless/brinefall.mp4"), std::string::npos) << run.out;

    // One still (frame 0) at 480x270 under a 30 px label strip, 4 px of border.
    const fs::path out = root / "out" / "headless";
    const cv::Mat sheet = cv::imread((out / "contact_sheet.png").string(), cv::IMREAD_COLOR);
    ASSERT_FALSE(sheet.empty());
    EXPECT_EQ(sheet.cols, 480 + 8);
    EXPECT_EQ(sheet.rows, 270 + 30 + 8);
    double ink = 0;
    cv::minMaxLoc(sheet(cv::Rect(4, 4 + 270, 480, 30)).reshape(1), nullptr, &ink);
    EXPECT_GT(ink, 200) << "the still has no label";

    const ProgramRun probe = run_program("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 '" +
                                         (out / "brinefall.mp4").string() + "'");
    EXPECT_EQ(probe.exit_code, 0) << probe.err;
    EXPECT_NE(probe.out.find("video"), std::string::npos) << probe.out;
    EXPECT_NE(probe.out.find("audio"), std::string::npos) << probe.out;
    fs::remove_all(root);
}

}  // namespace
