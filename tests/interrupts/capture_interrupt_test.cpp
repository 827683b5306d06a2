// brinefall-capture stopped by a signal part-way through a long run of the real show, as a user
// stops it: Ctrl-C at the terminal (SIGINT to the whole job, ffmpeg included) or SIGTERM to
// capture alone. Capture stops at the next frame, keeps every frame it wrote (a frames.csv row per
// PNG, a video of the same frames that plays, with its music) and exits with 128 + the signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/interrupts/job.h"
#include "tests/support/program_run.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Loading the show takes a while on software GL; a capture that does not end is stopped here.
constexpr auto start_up_limit = 300s;
constexpr auto stop_limit = 60s;

class CaptureInterrupt : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run the tests under xvfb-run";
        root_ = fs::temp_directory_path() / ("capture_interrupt_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        capture_.reset();
        if (!root_.empty()) fs::remove_all(root_);
    }

    // A long capture (five minutes of show time) of frames and a video.
    void start() {
        capture_ = std::make_unique<Job>(
            std::vector<std::string>{BRINEFALL_CAPTURE, "--show-dir", BRINEFALL_SHOW_DIR, "--size", "64x36",
                                     "--fps", "30", "--to", "300", "--out", out().string(), "--video",
                                     video().string()},
            "", "/dev/null", (root_ / "stderr.txt").string());
    }

    // Whether capture has its own handler for the signal yet (the "caught" mask of /proc).
    bool catches(int signal) const {
        std::ifstream status("/proc/" + std::to_string(capture_->pid()) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
        return false;
    }

    // frames.csv rows: their frame numbers.
    std::vector<long> rows() const {
        std::istringstream csv(read_whole_file((out() / "frames.csv").string()));
        std::vector<long> frames;
        std::string line;
        std::getline(csv, line);
        while (std::getline(csv, line)) frames.push_back(std::stol(line.substr(0, line.find(','))));
        return frames;
    }

    // Every row has its PNG, the rows are the frames from 0 on with none missing, and the video
    // holds exactly those frames.
    void expect_frames_complete() const {
        const std::vector<long> frames = rows();
        size_t pngs = 0;
        for (const auto& entry : fs::directory_iterator(out())) pngs += entry.path().extension() == ".png";
        EXPECT_EQ(pngs, frames.size());
        for (size_t i = 0; i < frames.size(); ++i) {
            ASSERT_EQ(frames[i], static_cast<long>(i));
            char name[32];
            std::snprintf(name, sizeof name, "frame_%06zu.png", i);
            EXPECT_TRUE(fs::is_regular_file(out() / name)) << name;
        }
        const ProgramRun probe = run_program(
            "ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames "
            "-of csv=p=0 '" +
            video().string() + "'");
        ASSERT_EQ(probe.exit_code, 0) << probe.err;
        EXPECT_EQ(std::stol(probe.out), static_cast<long>(frames.size()));
    }

    fs::path out() const { return root_ / "frames"; }
    fs::path video() const { return root_ / "show.mp4"; }
    std::string err() const { return read_whole_file((root_ / "stderr.txt").string()); }

    fs::path root_;
    std::unique_ptr<Job> capture_;
};

TEST_F(CaptureInterrupt, CtrlCKeepsEveryWrittenFrameAndAVideoThatPlaysThem) {
    start();
    ASSERT_TRUE(capture_->wait_until([&] { return rows().size() >= 12; }, start_up_limit)) << err();
    ASSERT_EQ(capture_->stop_with(SIGINT, 1, true, stop_limit), 130) << err();
    EXPECT_NE(err().find("brinefall-capture: SIGINT: stopped before frame"), std::string::npos) << err();
    EXPECT_LT(rows().size(), 9000u) << "the run went on to its end";
    expect_frames_complete();
    // The music is in the video too.
    const ProgramRun streams =
        run_program("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 '" + video().string() + "'");
    EXPECT_NE(streams.out.find("audio"), std::string::npos) << streams.out;
}

TEST_F(CaptureInterrupt, SigtermStopsTheSameWayWithExitCode143) {
    start();
    ASSERT_TRUE(capture_->wait_until([&] { return rows().size() >= 5; }, start_up_limit)) << err();
    ASSERT_EQ(capture_->stop_with(SIGTERM, 1, false, stop_limit), 143) << err();
    EXPECT_NE(err().find("brinefall-capture: SIGTERM: stopped before frame"), std::string::npos) << err();
    expect_frames_complete();
}

// While the show loads nothing has been written that needs closing: capture ends at once.
TEST_F(CaptureInterrupt, DuringStartUpItEndsAtOnceWithNothingCaptured) {
    start();
    ASSERT_TRUE(capture_->wait_until([&] { return catches(SIGTERM) && catches(SIGINT); }, start_up_limit))
        << err();
    ASSERT_EQ(capture_->stop_with(SIGTERM, 1, false, stop_limit), 143) << err();
    EXPECT_NE(err().find("brinefall-capture: interrupted during start-up; nothing was captured"),
              std::string::npos)
        << err();
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(fs::exists(video()));
}

}  // namespace
