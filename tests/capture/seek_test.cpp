// Fast seek against drawing every frame: brinefall-capture reaches a moment by advancing the show
// without drawing, and the frame it then draws must be byte for byte the frame that a run drawing
// every frame from the start draws there. The moments sit where state that drawing might carry
// from frame to frame would show: flashes, the scenes' clock jumps, the swinging ropes, passes that
// run only in some frames, and the music's fade.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "tests/support/program_run.h"

namespace fs = std::filesystem;

namespace {

struct Moment {
    double show_time;
    const char* what;
};

// On the 10-frames-a-second grid of the runs below.
constexpr Moment moments[] = {
    {20.0, "opening: the sea, with the background pre-pass"},
    {29.0, "opening: the dive, where the pre-pass rests"},
    {45.0, "opening: the stage, after the clock's first jump to 56"},
    {62.0, "opening: the stage again, after the second jump"},
    {100.0, "toys: inside the flash from 99 to 101.3 s"},
    {150.0, "toys: the traffic and the crowd"},
    {205.0, "toys: the overlay with its black band, a flash"},
    {265.1, "toys: right after the clock's jump from 146 to 243"},
    {300.0, "middle: the paper city"},
    {318.0, "middle: the ropes swinging, the field and the single one"},
    {345.0, "middle: the overlay at 342.7-346.5 s"},
    {390.5, "final: inside the flash from 390 to 391.3 s"},
    {414.0, "final: the tree, while the light pass rests and its depth is kept"},
    {430.0, "final: the house and the diver, the light pass running again"},
    {470.0, "final: the credits over the glow"},
    {500.0, "final: the music fading out"},
};

// frames.csv without its last column, the milliseconds each frame took.
std::string without_times(const std::string& csv) {
    std::istringstream in(csv);
    std::string line, kept;
    while (std::getline(in, line)) kept += line.substr(0, line.rfind(',')) + "\n";
    return kept;
}

class Seek : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run the tests under xvfb-run";
        if (!fs::exists(fs::path(BRINEFALL_SHOW_DIR) / "music")) GTEST_SKIP() << "no asset pack";
        root_ = fs::temp_directory_path() / ("seek_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        if (!root_.empty() && !HasFailure()) fs::remove_all(root_);
    }

    // One capture writing the moments' frames into root_/name.
    void capture(const std::string& name, const std::string& extra) {
        std::ostringstream at;
        for (const Moment& m : moments) at << (at.tellp() > 0 ? "," : "") << m.show_time;
        const ProgramRun run = run_program(std::string(BRINEFALL_CAPTURE) + " --show-dir " +
                                           BRINEFALL_SHOW_DIR + " --size 96x54 --fps 10 --at " + at.str() +
                                           " --out " + (root_ / name).string() + " " + extra);
        ASSERT_EQ(run.exit_code, 0) << run.err;
        EXPECT_EQ(run.err.find("GL error"), std::string::npos) << run.err;
    }

    fs::path root_;
};

TEST_F(Seek, FramesAfterAFastSeekAreTheFramesOfARunThatDrawsEveryFrame) {
    capture("drawn", "--draw-all");
    capture("seeked", "");
    for (const Moment& m : moments) {
        const long frame = static_cast<long>(std::ceil(m.show_time * 10 - 1e-6));
        char name[32];
        std::snprintf(name, sizeof name, "frame_%06ld.png", frame);
        const std::string drawn = read_whole_file((root_ / "drawn" / name).string());
        const std::string seeked = read_whole_file((root_ / "seeked" / name).string());
        ASSERT_FALSE(drawn.empty()) << m.what;
        EXPECT_TRUE(drawn == seeked) << m.show_time << " s, " << m.what << ": the frames differ (kept in "
                                     << root_.string() << ")";
    }
    // Both runs list the same frames at the same show times and scene clocks.
    EXPECT_EQ(without_times(read_whole_file((root_ / "drawn" / "frames.csv").string())),
              without_times(read_whole_file((root_ / "seeked" / "frames.csv").string())));
}

}  // namespace
