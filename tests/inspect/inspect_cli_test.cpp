// brinefall-tool's command line: what a user sees for help, mistakes and the wrong kind of file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "tests/support/program_run.h"

namespace fs = std::filesystem;

namespace {

ProgramRun tool(const std::string& args) { return run_program(std::string(BRINEFALL_TOOL) + " " + args); }

class InspectCli : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("inspect_cli_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        cv::Mat picture(8, 8, CV_8UC3, cv::Scalar(40, 80, 120));
        std::vector<uchar> png, jpeg;
        cv::imencode(".png", picture, png);
        cv::imencode(".jpg", picture, jpeg);
        ASSERT_TRUE(write_file(path("picture.png"), std::string(png.begin(), png.end())));
        jpeg_ = std::string(jpeg.begin(), jpeg.end());
        ASSERT_TRUE(write_file(path("picture.jpg"), jpeg_));
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
    std::string jpeg_;
};

TEST_F(InspectCli, HelpPrintsTheUsageOnStandardOutput) {
    const ProgramRun run = tool("--help");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.out.rfind("usage: brinefall-tool COMMAND", 0), 0u) << run.out;
    for (const char* command : {"jpeg", "obj", "bvh", "path", "extrude"})
        EXPECT_NE(run.out.find(std::string("brinefall-tool ") + command), std::string::npos) << command;
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(InspectCli, WithoutACommandTheUsageGoesToStandardErrorWithStatusTwo) {
    const ProgramRun run = tool("");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find("usage: brinefall-tool"), std::string::npos) << run.err;
}

TEST_F(InspectCli, AnUnknownCommandIsCalledOne) {
    const ProgramRun run = tool("jpg " + path("picture.jpg"));
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(run.err.rfind("error: unknown command \"jpg\"", 0), 0u) << run.err;
}

TEST_F(InspectCli, ABadBenchCountIsReportedAsABadCount) {
    for (const char* count : {"abc", "0", "-3", "5x", "''"}) {
        for (const std::string command : {"jpeg --bench ", "obj --bench "}) {
            const ProgramRun run = tool(command + count + " " + path("picture.jpg"));
            EXPECT_EQ(run.exit_code, 2) << command << count;
            EXPECT_EQ(run.err.rfind("error: bad count", 0), 0u) << command << count << ": " << run.err;
        }
    }
    // A good count on a readable file still benchmarks.
    const ProgramRun run = tool("jpeg --bench 2 " + path("picture.jpg"));
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("MP/s "), std::string::npos) << run.out;
}

TEST_F(InspectCli, DecoderErrorsComeWithTheirMeaning) {
    ProgramRun run = tool("jpeg " + path("picture.png") + " " + path("out.pnm"));
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find("decoder error -217: not a JPEG file"), std::string::npos) << run.err;

    // A 12-bit frame header: the sample precision follows the SOF0 marker and its length.
    std::string twelve_bit = jpeg_;
    const size_t sof = twelve_bit.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    twelve_bit[sof + 4] = 12;
    ASSERT_TRUE(write_file(path("twelve.jpg"), twelve_bit));
    run = tool("jpeg --bench 1 " + path("twelve.jpg"));
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("decoder error -205: a sample precision other than 8 bits"), std::string::npos)
        << run.err;
}

TEST_F(InspectCli, AFileOfTheWrongKindIsNamedAsSuch) {
    const std::string png = path("picture.png");
    struct Case {
        std::string args, says;
    };
    ASSERT_TRUE(write_file(path("mesh.objt"), *read_file(png)));
    const Case cases[] = {
        {"bvh " + png, png + " is a PNG image, not a BVH motion file"},
        {"obj " + png, png + " is a PNG image, not an OBJ mesh"},
        {"obj " + path("picture.jpg"), path("picture.jpg") + " is a JPEG image, not an OBJ mesh"},
        {"obj --alternate " + path("mesh.obj"), path("mesh.objt") + " is a PNG image, not an OBJ mesh"},
        {"obj --bench 3 " + png, png + " is a PNG image, not an OBJ mesh"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = tool(c.args);
        EXPECT_EQ(run.exit_code, 2) << c.args;
        EXPECT_TRUE(run.out.empty()) << c.args << ": " << run.out;
        EXPECT_EQ(run.err, "error: " + c.says + "\n") << c.args;
    }
}

TEST_F(InspectCli, AMissingBvhFileKeepsTheLoaderLineOnStandardOutput) {
    const std::string missing = path("none.bvh");
    const ProgramRun run = tool("bvh " + missing);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.out, "File \"" + missing + "\" not found.\n");
    EXPECT_EQ(run.err, "error: cannot read " + missing + "\n");
}

TEST_F(InspectCli, ErrorsOfEveryCommandGoToStandardError) {
    for (const std::string& args :
         {"path " + path("none.sav"), "extrude " + path("none.png"), "obj " + path("none.obj"),
          "jpeg " + path("none.jpg") + " x", std::string("path")}) {
        const ProgramRun run = tool(args);
        EXPECT_EQ(run.exit_code, 2) << args;
        EXPECT_TRUE(run.out.empty()) << args << ": " << run.out;
        EXPECT_EQ(run.err.rfind("error: ", 0), 0u) << args << ": " << run.err;
    }
}

}  // namespace
