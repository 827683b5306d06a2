// The picture check of the chain's specialised programs on the whole show: brinefall-capture
// renders stills across every scene twice, once with the programs as loaded (--reference-chain,
// the pictures the show had before the copies) and once as the show draws them; every pair must agree
// to PSNR >= 40 dB. Normal and "Low spec GPU" detail, at a small size and a coarse step so the
// run stays short.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "tests/support/program_run.h"

namespace fs = std::filesystem;

namespace {

// PSNR over the colour channels; infinity for identical pictures.
double psnr(const cv::Mat& a, const cv::Mat& b) {
    cv::Mat diff;
    cv::absdiff(a, b, diff);
    diff.convertTo(diff, CV_64F);
    const cv::Scalar sums = cv::sum(diff.mul(diff));
    const double mse = (sums[0] + sums[1] + sums[2]) / (double(a.total()) * a.channels());
    return mse == 0 ? INFINITY : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// frames.csv: frame,show_time,scene_slot,... -> the slot of each written frame by file stem.
std::vector<std::pair<std::string, int>> written_frames(const fs::path& folder) {
    std::ifstream csv(folder / "frames.csv");
    std::string line;
    std::getline(csv, line);
    std::vector<std::pair<std::string, int>> frames;
    while (std::getline(csv, line)) {
        std::istringstream fields(line);
        std::string frame, time, slot;
        std::getline(fields, frame, ',');
        std::getline(fields, time, ',');
        std::getline(fields, slot, ',');
        frames.emplace_back(frame, std::stoi(slot));
    }
    return frames;
}

fs::path frame_file(const fs::path& folder, const std::string& frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%06ld.png", std::stol(frame));
    return folder / name;
}

class ChainIdentity : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run the tests under xvfb-run";
        if (!fs::exists(fs::path(BRINEFALL_SHOW_DIR) / "music")) GTEST_SKIP() << "no show directory";
        root_ = fs::temp_directory_path() / ("chain_identity_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        if (!root_.empty()) fs::remove_all(root_);
    }
    ProgramRun capture(const std::string& folder, const std::string& extra) {
        return run_program(std::string(BRINEFALL_CAPTURE) + " --show-dir " + BRINEFALL_SHOW_DIR +
                           " --size 192x108 --fps 2 --every 9 --out " + (root_ / folder).string() + " " +
                           extra);
    }
    fs::path root_;
};

}  // namespace

TEST_P(ChainIdentity, EveryStillOfEverySceneMatchesTheProgramsAsLoaded) {
    const std::string detail = GetParam() ? "--low-spec" : "";
    const ProgramRun reference = capture("reference", "--reference-chain " + detail);
    ASSERT_EQ(reference.exit_code, 0) << reference.err;
    const ProgramRun specialised = capture("specialised", detail);
    ASSERT_EQ(specialised.exit_code, 0) << specialised.err;

    const auto frames = written_frames(root_ / "reference");
    ASSERT_EQ(frames, written_frames(root_ / "specialised"));
    std::set<int> slots;
    int identical = 0;
    double worst = INFINITY;
    for (const auto& [frame, slot] : frames) {
        const cv::Mat a = cv::imread(frame_file(root_ / "reference", frame).string());
        const cv::Mat b = cv::imread(frame_file(root_ / "specialised", frame).string());
        ASSERT_FALSE(a.empty() || b.empty()) << "frame " << frame;
        const double db = psnr(a, b);
        EXPECT_GE(db, 40.0) << "frame " << frame << " (scene slot " << slot << ")";
        worst = std::min(worst, db);
        if (std::isinf(db)) ++identical;
        slots.insert(slot);
    }
    // Every scene drew some of the stills.
    EXPECT_GE(frames.size(), 40u);
    EXPECT_EQ(slots, (std::set<int>{0, 1, 2, 3}));
    RecordProperty("stills", int(frames.size()));
    RecordProperty("identical", identical);
    RecordProperty("worst_db", std::isinf(worst) ? "inf" : std::to_string(worst));
    std::printf("%zu stills, %d identical, worst %.1f dB\n", frames.size(), identical, worst);
}

INSTANTIATE_TEST_SUITE_P(Detail, ChainIdentity, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "LowSpec" : "Normal"; });
