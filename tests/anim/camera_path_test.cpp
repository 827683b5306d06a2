#include "anim/camera_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/file_io.h"

namespace {

struct Record {
    float x, y, z;
    double a, b;
};

std::string encode(const std::vector<Record>& records) {
    std::string bytes;
    for (const Record& r : records) {
        char buf[28];
        std::memcpy(buf, &r.x, 4);
        std::memcpy(buf + 4, &r.y, 4);
        std::memcpy(buf + 8, &r.z, 4);
        std::memcpy(buf + 12, &r.a, 8);
        std::memcpy(buf + 20, &r.b, 8);
        bytes.append(buf, 28);
    }
    return bytes;
}

std::vector<Record> numbered(int n) {
    std::vector<Record> records;
    for (int i = 0; i < n; ++i)
        records.push_back({i * 1.5f + 1, -2.0f * i, 0.25f * i * i, 10.0 + i, -100.0 * i});
    return records;
}

std::string temp_file(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() / ("anim_camera_path_" + name);
    EXPECT_TRUE(write_file(path.string(), bytes));
    return path.string();
}

TEST(CameraPath, LoadsRecordsAndIgnoresATrailingPartialRecord) {
    CameraPath path;
    path.load(temp_file("three", encode(numbered(3)) + std::string(10, '\x7f')));
    ASSERT_EQ(path.size(), 3u);
    EXPECT_EQ(path.positions[2], Vector3(4.0f, -4.0f, 1.0f));
    EXPECT_EQ(path.aux1[2], 12.0);
    EXPECT_EQ(path.aux2[2], -200.0);
}

TEST(CameraPath, MissingFileLeavesThePathEmpty) {
    CameraPath path;
    path.load_bytes(encode(numbered(8)));
    path.load("/nonexistent/Other//try1.sav");
    EXPECT_EQ(path.size(), 0u);
    EXPECT_TRUE(path.aux1.empty() && path.aux2.empty());
}

TEST(CameraPath, SixRecordsAllBecomeSampleZero) {
    CameraPath path;
    path.load_bytes(encode(numbered(6)));
    ASSERT_EQ(path.size(), 6u);
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(path.positions[k], path.positions[0]) << k;
        EXPECT_EQ(path.aux1[k], 10.0);
        EXPECT_EQ(path.aux2[k], 0.0);
    }
}

TEST(CameraPath, SevenRecordsRampFromSampleOneTowardSampleZero) {
    const auto records = numbered(7);
    CameraPath path;
    path.load_bytes(encode(records));
    ASSERT_EQ(path.size(), 7u);
    EXPECT_EQ(path.positions[0], Vector3(records[0].x, records[0].y, records[0].z));
    EXPECT_EQ(path.positions[1], Vector3(records[1].x, records[1].y, records[1].z));
    for (int k = 0; k < 6; ++k) {
        const double w = k / 6.0;
        EXPECT_FLOAT_EQ(path.positions[1 + k].x,
                        static_cast<float>(records[1].x + w * (records[0].x - records[1].x)));
        EXPECT_FLOAT_EQ(path.positions[1 + k].y,
                        static_cast<float>(records[1].y + w * (records[0].y - records[1].y)));
        EXPECT_DOUBLE_EQ(path.aux1[1 + k], records[1].a + w * (records[0].a - records[1].a));
        EXPECT_DOUBLE_EQ(path.aux2[1 + k], records[1].b + w * (records[0].b - records[1].b));
    }
    // The last sample stops 5/6 of the way.
    EXPECT_FLOAT_EQ(path.positions[6].x, 2.5f + 5.0f / 6.0f * (1.0f - 2.5f));
}

TEST(CameraPath, ShortPathsAreKeptAsTheyAre) {
    const auto records = numbered(5);
    CameraPath path;
    path.load_bytes(encode(records));
    for (int k = 0; k < 5; ++k) EXPECT_EQ(path.positions[k].x, records[k].x);
}

TEST(CameraPath, SampleIndexPlaysAt35PerSecondAndWrapsIn32Bits) {
    CameraPath path;
    path.load_bytes(encode(numbered(101)));
    EXPECT_EQ(path.sample_index(1.0, 2), 33u);
    EXPECT_EQ(path.sample_index(4.0, 2), 38u);
    EXPECT_EQ(path.sample_index(0.0, 2), 94u);  // (2^32 - 2) mod 100
    EXPECT_EQ(path.sample_index(2.0 / 35.0 + 1e-9, 2), 0u);
    // Beyond 32 bits only the low word counts: 2^32 + 7 samples in behaves like 7.
    EXPECT_EQ(path.sample_index((4294967296.0 + 7.0) / 35.0 + 1e-7, 0), 7u);
    for (double t : {double(NAN), double(INFINITY), -double(INFINITY), 1e300})
        EXPECT_LT(path.sample_index(t, 0), 100u);
}

TEST(CameraPath, SampleIndexOfAnAlmostEmptyPathIsZero) {
    CameraPath path;
    EXPECT_EQ(path.sample_index(3.0, 2), 0u);
    EXPECT_EQ(path.sample(3.0, 2), Vector3(0, 0, 0));
    path.load_bytes(encode(numbered(1)));
    EXPECT_EQ(path.sample_index(3.0, 2), 0u);
    EXPECT_EQ(path.sample(3.0, 2), path.positions[0]);
}

TEST(CameraPath, SampleReadsThePositionAtTheIndex) {
    CameraPath path;
    path.load_bytes(encode(numbered(101)));
    EXPECT_EQ(path.sample(4.0, 2), path.positions[38]);
}

}  // namespace
