// brinefall-capture stopped by a signal part-way through a long run of the real show, as a user
// stops it: Ctrl-C at the terminal (SIGINT to the whole job, ffmpeg included) or SIGTERM to
// capture alone. Capture stops at the next frame, keeps every frame it wrote (a frames.csv row per
// PNG, a video of the same frames that plays, with its music) and exits with 128 + the signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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
        if (pid_ > 0) {
            ::kill(-pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (!root_.empty()) fs::remove_all(root_);
    }

    // A long capture (five minutes of show time) of frames and a video, started in a process
    // group of its own as a shell starts a job.
    void start() {
        const std::vector<std::string> args = {BRINEFALL_CAPTURE,
                                               "--show-dir",
                                               BRINEFALL_SHOW_DIR,
                                               "--size",
                                               "64x36",
                                               "--fps",
                                               "30",
                                               "--to",
                                               "300",
                                               "--out",
                                               out().string(),
                                               "--video",
                                               video().string()};
        pid_ = ::fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            ::setpgid(0, 0);
            std::freopen("/dev/null", "w", stdout);
            std::freopen((root_ / "stderr.txt").c_str(), "w", stderr);
            std::vector<char*> argv;
            for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            std::_Exit(127);
        }
        ::setpgid(pid_, pid_);
    }

    // Waits until `ready` holds; false when capture ended or the time ran out first.
    template <typename Condition>
    bool wait_until(Condition ready, std::chrono::seconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            if (ready()) return true;
            if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    // Whether capture has its own handler for the signal yet (the "caught" mask of /proc).
    bool catches(int signal) const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
        return false;
    }

    // Sends the signal and waits for capture to end; its exit code, or -1 when it did not exit by
    // itself. The seconds it took go to the test's record.
    int stop_with(int signal, bool whole_job) {
        const auto sent = std::chrono::steady_clock::now();
        ::kill(whole_job ? -pid_ : pid_, signal);
        wait_until([] { return false; }, stop_limit);
        if (pid_ > 0) return -1;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
        RecordProperty("seconds_from_signal_to_exit", std::to_string(seconds));
        std::printf("capture ended %.2f s after the signal\n", seconds);
        return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
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

    size_t png_count() const {
        size_t count = 0;
        for (const auto& entry : fs::directory_iterator(out())) count += entry.path().extension() == ".png";
        return count;
    }

    // Every row has its PNG and the rows are the frames from 0 on, none missing.
    void expect_frames_complete(const std::vector<long>& frames) const {
        EXPECT_EQ(png_count(), frames.size());
        for (size_t i = 0; i < frames.size(); ++i) {
            ASSERT_EQ(frames[i], static_cast<long>(i));
            char name[32];
            std::snprintf(name, sizeof name, "frame_%06zu.png", i);
            EXPECT_TRUE(fs::is_regular_file(out() / name)) << name;
        }
    }

    // The frames ffprobe decodes from the video (-1 when it cannot read it).
    long video_frames() const {
        const ProgramRun probe = run_program(
            "ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames "
            "-of csv=p=0 '" +
            video().string() + "'");
        EXPECT_EQ(probe.exit_code, 0) << probe.err;
        return probe.exit_code == 0 ? std::stol(probe.out) : -1;
    }

    fs::path out() const { return root_ / "frames"; }
    fs::path video() const { return root_ / "show.mp4"; }
    std::string err() const { return read_whole_file((root_ / "stderr.txt").string()); }

    fs::path root_;
    pid_t pid_ = -1;
    int status_ = 0;
};

TEST_F(CaptureInterrupt, CtrlCKeepsEveryWrittenFrameAndAVideoThatPlaysThem) {
    start();
    ASSERT_TRUE(wait_until([&] { return rows().size() >= 12; }, start_up_limit)) << err();
    ASSERT_EQ(stop_with(SIGINT, true), 130) << err();
    EXPECT_NE(err().find("brinefall-capture: SIGINT: stopped before frame"), std::string::npos) << err();

    const std::vector<long> frames = rows();
    EXPECT_LT(frames.size(), 9000u) << "the run went on to its end";
    expect_frames_complete(frames);

    // The video holds exactly the written frames, and their music.
    EXPECT_EQ(video_frames(), static_cast<long>(frames.size()));
    const ProgramRun streams =
        run_program("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 '" + video().string() + "'");
    EXPECT_NE(streams.out.find("audio"), std::string::npos) << streams.out;
}

TEST_F(CaptureInterrupt, SigtermStopsTheSameWayWithExitCode143) {
    start();
    ASSERT_TRUE(wait_until([&] { return rows().size() >= 5; }, start_up_limit)) << err();
    ASSERT_EQ(stop_with(SIGTERM, false), 143) << err();
    EXPECT_NE(err().find("brinefall-capture: SIGTERM: stopped before frame"), std::string::npos) << err();
    const std::vector<long> frames = rows();
    expect_frames_complete(frames);
    EXPECT_EQ(video_frames(), static_cast<long>(frames.size()));
}

// While the show loads nothing has been written that needs closing: capture ends at once.
TEST_F(CaptureInterrupt, DuringStartUpItEndsAtOnceWithNothingCaptured) {
    start();
    ASSERT_TRUE(wait_until([&] { return catches(SIGTERM) && catches(SIGINT); }, start_up_limit)) << err();
    ASSERT_EQ(stop_with(SIGTERM, false), 143) << err();
    EXPECT_NE(err().find("brinefall-capture: interrupted during start-up; nothing was captured"),
              std::string::npos)
        << err();
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(fs::exists(video()));
}

}  // namespace
