// brinefall-capture end to end, under the virtual display the test command provides.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "tests/platform/ogg_tone.h"
#include "tools/capture/contact_sheet.h"

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct CaptureResult {
    int exit_code = -1;
    std::string err;
};

class CaptureRun : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run the tests under xvfb-run";
        root_ = fs::temp_directory_path() / ("capture_run_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        show_ = root_ / "show";
        fs::create_directories(show_);
        // The build's show directory (shaders, asset pack) without its music: every test
        // chooses its own.
        if (fs::is_directory(BRINEFALL_SHOW_DIR))
            for (const auto& entry : fs::directory_iterator(BRINEFALL_SHOW_DIR))
                if (entry.path().filename() != "music")
                    fs::create_directory_symlink(entry.path(), show_ / entry.path().filename());
    }
    void TearDown() override {
        if (!root_.empty()) fs::remove_all(root_);
    }

    void add_music(double seconds) {
        fs::create_directories(show_ / "music");
        std::ofstream(show_ / "music" / "xo. + lu - mixed tracks (1+2).ogg", std::ios::binary)
            << encode_ogg_tone(44100, 2, seconds, 440.0, 0.5);
    }

    CaptureResult capture(const std::string& args) {
        const fs::path err = root_ / "stderr.txt";
        const std::string command = std::string(BRINEFALL_CAPTURE) + " --show-dir '" + show_.string() + "' " +
                                    args + " > /dev/null 2> '" + err.string() + "'";
        const int status = std::system(command.c_str());
        CaptureResult run;
        run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = read_file(err);
        return run;
    }

    static std::vector<std::string> pngs(const fs::path& folder) {
        std::vector<std::string> names;
        if (fs::is_directory(folder))
            for (const auto& entry : fs::directory_iterator(folder))
                if (entry.path().extension() == ".png") names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The last line of stderr that the progress bar drew.
    static std::string last_progress_line(const std::string& err) {
        std::istringstream in(err);
        std::string last;
        for (std::string line; std::getline(in, line);)
            if (line.rfind("[", 0) == 0) last = line;
        return last;
    }

    static std::vector<std::string> csv_rows(const fs::path& file) {
        std::istringstream in(read_file(file));
        std::vector<std::string> rows;
        for (std::string line; std::getline(in, line);) rows.push_back(line);
        return rows;
    }

    fs::path root_, show_;
};

TEST_F(CaptureRun, WritesEveryFrameToTheEndTimeByteForByteAgain) {
    add_music(4.0);
    const CaptureResult first =
        capture("--size 160x90 --fps 10 --to 3 --out '" + (root_ / "a").string() + "'");
    ASSERT_EQ(first.exit_code, 0) << first.err;
    EXPECT_EQ(first.err.find("GL error"), std::string::npos) << first.err;

    const std::vector<std::string> names = pngs(root_ / "a");
    ASSERT_EQ(names.size(), 31u);
    EXPECT_EQ(names.front(), "frame_000000.png");
    EXPECT_EQ(names.back(), "frame_000030.png");

    const std::vector<std::string> rows = csv_rows(root_ / "a" / "frames.csv");
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows[0], "frame,show_time,scene_slot,scene_clock,cpu_ms");
    EXPECT_EQ(rows[31].rfind("30,", 0), 0u) << rows[31];
    // The music lock settles one frame step ahead of the music (its correction already sees
    // this frame's music position), so frame 30 at 10 fps shows between 3.0 and 3.1 s.
    const double last_time = std::stod(rows[31].substr(3));
    EXPECT_GE(last_time, 3.0) << rows[31];
    EXPECT_LE(last_time, 3.1) << rows[31];

    const CaptureResult second =
        capture("--size 160x90 --fps 10 --to 3 --out '" + (root_ / "b").string() + "'");
    ASSERT_EQ(second.exit_code, 0) << second.err;
    ASSERT_EQ(pngs(root_ / "b"), names);
    std::vector<std::string> differing;
    for (const std::string& name : names)
        if (read_file(root_ / "a" / name) != read_file(root_ / "b" / name)) differing.push_back(name);
    EXPECT_TRUE(differing.empty()) << differing.size() << " frames differ, the first " << differing.front();
}

TEST_F(CaptureRun, WritesFromTheFirstTimeEveryKthFrameAndTheFigures) {
    add_music(3.0);
    const CaptureResult run =
        capture("--size 64x48 --fps 10 --from 1 --to 2 --every 5 --out '" + (root_ / "out").string() +
                "' --stats '" + (root_ / "stats.json").string() + "'");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    // The bar's last line is the full one, however quickly the last frames went.
    EXPECT_NE(last_progress_line(run.err).find("100%  frame 20 "), std::string::npos) << run.err;
    EXPECT_EQ(pngs(root_ / "out"),
              (std::vector<std::string>{"frame_000010.png", "frame_000015.png", "frame_000020.png"}));
    const std::string stats = read_file(root_ / "stats.json");
    EXPECT_NE(stats.find("\"total_ms\":"), std::string::npos) << stats;
    EXPECT_EQ(stats.find("\"total_ms\":null"), std::string::npos) << stats;
    EXPECT_NE(stats.find("\"scene_frames\""), std::string::npos) << stats;
}

TEST_F(CaptureRun, ForcedSixteenByNineMakesTheFramesSixteenByNine) {
    add_music(1.0);
    const CaptureResult run =
        capture("--size 160x120 --force-16x9 --fps 5 --to 0 --out '" + (root_ / "out").string() + "'");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    const std::string png = read_file(root_ / "out" / "frame_000000.png");
    ASSERT_GT(png.size(), 24u);
    auto be32 = [&png](size_t at) {
        return (uint8_t(png[at]) << 24) | (uint8_t(png[at + 1]) << 16) | (uint8_t(png[at + 2]) << 8) |
               uint8_t(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 160u);  // IHDR width
    EXPECT_EQ(be32(20), 90u);   // IHDR height
}

TEST_F(CaptureRun, TheShowEndsByItselfAndStillFlushesItsOutput) {
    add_music(1.0);  // a short track: past its end the music clock keeps running
    // At 1 fps the show runs about one second ahead of frame / fps (the lock's one-step lead),
    // so frame 505 is at or just past 506 s and the show ends there or one frame later.
    const CaptureResult run = capture("--size 32x32 --fps 1 --from 504 --out '" + (root_ / "out").string() +
                                      "' --stats '" + (root_ / "stats.json").string() + "'");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    const std::vector<std::string> names = pngs(root_ / "out");
    ASSERT_FALSE(names.empty());
    EXPECT_LE(names.size(), 2u);
    EXPECT_EQ(names.front(), "frame_000504.png");
    EXPECT_EQ(csv_rows(root_ / "out" / "frames.csv").size(), names.size() + 1);
    EXPECT_NE(read_file(root_ / "stats.json").find("\"scene_frames\""), std::string::npos);
    EXPECT_NE(last_progress_line(run.err).find("100%"), std::string::npos) << run.err;
}

// The show's own rule ends it with exit code 0 when the music is missing; for capture that is a
// run that captured nothing, so it says so and fails.
TEST_F(CaptureRun, WithoutTheMusicFileTheShowStopsAtStartUpAndCaptureFails) {
    const CaptureResult run =
        capture("--size 160x90 --fps 10 --to 3 --out '" + (root_ / "out").string() + "'");
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find("OVK  : Problem initializing FMod. \nNo sound file."), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("the show stopped at start-up"), std::string::npos) << run.err;
    EXPECT_TRUE(pngs(root_ / "out").empty());
}

TEST_F(CaptureRun, AnEmptyShowDirectoryStopsTheShowAtStartUpAndCaptureFails) {
    fs::remove_all(show_);
    fs::create_directories(show_);
    const CaptureResult run = capture("--size 64x36 --fps 5 --to 1 --out '" + (root_ / "out").string() +
                                      "' --sheet '" + (root_ / "sheet.png").string() + "'");
    EXPECT_NE(run.exit_code, 0);
    EXPECT_NE(run.err.find("the show stopped at start-up"), std::string::npos) << run.err;
    EXPECT_EQ(csv_rows(root_ / "out" / "frames.csv").size(), 1u);  // the header alone
    EXPECT_FALSE(fs::exists(root_ / "sheet.png"));
}

// At 5 fps the music lock puts frame 150 one step ahead of 30 s: the label says what frames.csv
// says, not frame / fps.
TEST_F(CaptureRun, TheContactSheetLabelsEachStillWithItsShowTimeFromFramesCsv) {
    add_music(31.0);
    const fs::path out = root_ / "out", sheet = root_ / "sheet.png";
    const CaptureResult run = capture("--size 64x36 --fps 5 --to 30 --every 75 --out '" + out.string() +
                                      "' --sheet '" + sheet.string() + "'");
    ASSERT_EQ(run.exit_code, 0) << run.err;

    std::vector<std::string> csv_times;
    const std::vector<std::string> rows = csv_rows(out / "frames.csv");
    for (size_t i = 1; i < rows.size(); ++i) {
        const size_t a = rows[i].find(','), b = rows[i].find(',', a + 1);
        csv_times.push_back(rows[i].substr(a + 1, b - a - 1));
    }
    ASSERT_EQ(csv_times.size(), 3u);
    EXPECT_GT(std::stod(csv_times[2]), 30.0) << csv_times[2];

    std::vector<SheetStill> stills;
    ASSERT_TRUE(read_frame_list(out.string(), stills));
    ASSERT_EQ(stills.size(), csv_times.size());
    for (size_t i = 0; i < stills.size(); ++i) {
        const std::string label = sheet_label(stills[i]);
        EXPECT_EQ(label.substr(label.size() - 2), " s") << label;
        EXPECT_NEAR(std::stod(label), std::stod(csv_times[i]), 0.005) << label << " for " << csv_times[i];
    }
    EXPECT_EQ(stills[2].frame, 150);

    const cv::Mat image = cv::imread(sheet.string(), cv::IMREAD_COLOR);
    ASSERT_EQ(image.cols, 3 * (64 + 4) + 4);
    ASSERT_EQ(image.rows, 36 + 14 + 2 * 4);
    const cv::Mat last = cv::imread((out / "frame_000150.png").string(), cv::IMREAD_COLOR);
    EXPECT_EQ(cv::norm(image(cv::Rect(4 + 2 * 68, 4, 64, 36)), last, cv::NORM_INF), 0);
}

TEST_F(CaptureRun, HelpIsNotAnError) { EXPECT_EQ(capture("--help").exit_code, 0); }

// The show itself ends cleanly (exit code 0); capture fails because nothing was captured.
TEST_F(CaptureRun, WithoutAMotionClipTheShowNamesTheFileAndEndsCleanly) {
    add_music(1.0);
    // The show directory's motion clips and meshes without the sitting figure's clip.
    fs::remove(show_ / "neomeshes");
    fs::create_directories(show_ / "neomeshes");
    for (const auto& entry : fs::directory_iterator(fs::path(BRINEFALL_SHOW_DIR) / "neomeshes"))
        if (entry.path().filename() != "avatar_sit.bvh")
            fs::create_symlink(entry.path(), show_ / "neomeshes" / entry.path().filename());
    ASSERT_TRUE(fs::exists(show_ / "neomeshes" / "avatar_run.bvh"));
    const CaptureResult run =
        capture("--size 160x90 --fps 10 --to 1 --out '" + (root_ / "out").string() + "'");
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_NE(run.err.find("the show stopped at start-up (exit code 0"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Bvh: neomeshes//avatar_sit.bvh"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("terminate called"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("FMod"), std::string::npos) << run.err;
    EXPECT_TRUE(pngs(root_ / "out").empty());
}

TEST_F(CaptureRun, BadOptionsAreRefusedWithUsage) {
    const CaptureResult run = capture("--size 160");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("usage: brinefall-capture"), std::string::npos) << run.err;
}

}  // namespace
