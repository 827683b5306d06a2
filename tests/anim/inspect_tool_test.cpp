// brinefall-tool's bvh and path commands, run as a show author would run them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/file_io.h"

namespace {

struct ToolRun {
    std::string out;
    int status;
};

ToolRun run_tool(const std::string& args) {
    const std::string command = std::string(BRINEFALL_TOOL) + " " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun r{"", -1};
    if (!pipe) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string last_line(const std::string& out) {
    std::string trimmed = out;
    while (!trimmed.empty() && trimmed.back() == '\n') trimmed.pop_back();
    const size_t cut = trimmed.rfind('\n');
    return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

std::string temp_path(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("anim_tool_" + name)).string();
}

TEST(InspectTool, BvhPrintsTheLoaderLinesThenOneJsonLine) {
    const std::string file = temp_path("clip.bvh");
    ASSERT_TRUE(
        write_file(file,
                   "HIERARCHY ROOT Hips { OFFSET 0 0 0 CHANNELS 3 Xposition Yposition Zposition JOINT Neck { "
                   "OFFSET 0 1 0 CHANNELS 1 Zrotation End Site { OFFSET 0 1 0 } } } "
                   "MOTION Frames: 1 Frame Time: 0.04 1 2 3 90"));
    const ToolRun r = run_tool("bvh " + file);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("File \"" + file + "\" found.\nframesNum = 2\nframetime = 0.04\n-1 bodyparts\n", 0),
              0u);
    EXPECT_EQ(last_line(r.out),
              "{\"joints\": 2, \"names\": [\"Hips\", \"Neck\"], \"frame_count\": 2, \"frame_time\": 0.04, "
              "\"values\": 4, \"root_frame1\": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1]}");
}

TEST(InspectTool, BvhWithoutFrameOneOmitsTheRootMatrix) {
    const std::string file = temp_path("still.bvh");
    ASSERT_TRUE(
        write_file(file, "ROOT Hips { OFFSET 0 0 0 CHANNELS 1 Xposition End Site { OFFSET 0 1 0 } }"));
    const ToolRun r = run_tool("bvh " + file);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(last_line(r.out),
              "{\"joints\": 0, \"names\": [], \"frame_count\": 0, \"frame_time\": 0, \"values\": 0}");
}

// The error itself goes to stderr (the command-line tests read it); no JSON line is printed.
TEST(InspectTool, UnreadableFilesExitWithStatusTwo) {
    ToolRun r = run_tool("bvh /nonexistent/clip.bvh");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "File \"/nonexistent/clip.bvh\" not found.\n");
    r = run_tool("path /nonexistent/try1.sav");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
}

TEST(InspectTool, PathPrintsPositionsAfterLoopClosingAndIndices) {
    std::string bytes;
    for (int i = 0; i < 7; ++i) {
        const float xyz[3] = {static_cast<float>(6 * i), 0, 0};
        const double aux[2] = {0, 0};
        bytes.append(reinterpret_cast<const char*>(xyz), 12);
        bytes.append(reinterpret_cast<const char*>(aux), 16);
    }
    const std::string file = temp_path("seven.sav");
    ASSERT_TRUE(write_file(file, bytes));
    ToolRun r = run_tool("path " + file);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(last_line(r.out),
              "{\"samples\": 7, \"positions\": [[0, 0, 0], [6, 0, 0], [5, 0, 0], [4, 0, 0], [3, 0, 0], "
              "[2, 0, 0], [1, 0, 0]]}");
    r = run_tool("path " + file + " --index 0 2");  // (2^32 − 2) mod 6 = 2
    EXPECT_EQ(last_line(r.out), "{\"index\": 2}");
    r = run_tool("path " + file + " --index 1 0");  // 35 mod 6 = 5
    EXPECT_EQ(last_line(r.out), "{\"index\": 5}");
}

}  // namespace
