// The generated camera-shake track read back through the show's path loader.
#include "anim/camera_path.h"
#include "tests/assets_meshes/generated_pack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

TEST(ShakeTrack, LoadsMinutesOfSamplesForEveryOffsetTheScenesRead) {
    std::string bytes = generated_file("Other//try1.sav");
    EXPECT_EQ(bytes.size() % CameraPath::record_size, 0u);
    CameraPath path;
    path.load((generated_pack() / "Other//try1.sav").string());
    EXPECT_EQ(path.size(), bytes.size() / CameraPath::record_size);
    EXPECT_GE(path.size(), 1200u);
    EXPECT_GE(path.size() / CameraPath::samples_per_second, 180.0)
        << "several minutes at 35 samples per second";
    // The furthest offset a scene reads from, early in its clock.
    EXPECT_LT(path.sample_index(0.5, 1070), path.size() - 1);
}

TEST(ShakeTrack, IsSmallSmoothAndAlive) {
    CameraPath path;
    path.load((generated_pack() / "Other//try1.sav").string());
    ASSERT_GE(path.size(), 1200u);
    double largest = 0, largest_step = 0, sum = 0, sum_sq = 0, largest_aux = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const Vector3& p = path.positions[i];
        largest = std::max({largest, std::fabs(double(p.x)), std::fabs(double(p.y)), std::fabs(double(p.z))});
        largest_aux = std::max({largest_aux, std::fabs(path.aux1[i]), std::fabs(path.aux2[i])});
        sum += p.x;
        sum_sq += double(p.x) * p.x;
        if (i > 0) {
            const Vector3& q = path.positions[i - 1];
            largest_step = std::max({largest_step, std::fabs(double(p.x - q.x)), std::fabs(double(p.y - q.y)),
                                     std::fabs(double(p.z - q.z))});
        }
    }
    double mean = sum / path.size(), spread = std::sqrt(sum_sq / path.size() - mean * mean);
    EXPECT_LT(largest, 8.0);
    EXPECT_GT(spread, 0.3) << "it drifts";
    EXPECT_LT(largest_step, 0.12) << "no jumps from one sample to the next, the wrap included";
    EXPECT_LT(largest_aux, 0.5);
}

TEST(ShakeTrack, InspectionToolReadsIt) {
    std::string command =
        std::string(BRINEFALL_TOOL) + " path '" + (generated_pack() / "Other//try1.sav").string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[65536];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_NE(out.find("\"samples\": 8400"), std::string::npos) << out.substr(0, 200);
}
