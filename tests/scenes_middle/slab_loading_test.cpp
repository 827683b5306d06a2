// The slabs the middle scene loads: their file names, lists and progress weights, the marker
// scan, the edge image, and the parallel build, which must hand over exactly what a serial
// build makes, vertex for vertex and in load order.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include <unistd.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "scenes/middle/slab_loading.h"

namespace {

using namespace middle;

TEST(SlabJobs, SequenceFileNamesPadTheFrameNumberToFourDigits) {
    EXPECT_EQ(sequence_file_name(0), "textures//videos1//t0000.png");
    EXPECT_EQ(sequence_file_name(9), "textures//videos1//t0009.png");
    EXPECT_EQ(sequence_file_name(10), "textures//videos1//t0010.png");
    EXPECT_EQ(sequence_file_name(99), "textures//videos1//t0099.png");
    EXPECT_EQ(sequence_file_name(100), "textures//videos1//t0100.png");
    EXPECT_EQ(sequence_file_name(256), "textures//videos1//t0256.png");
}

TEST(SlabJobs, SequenceThenCutOutsWithTheirListsDensitiesAndProgress) {
    const std::vector<SlabJob> jobs = slab_jobs();
    ASSERT_EQ(jobs.size(), 257u + 16u);
    for (int k = 0; k < 257; ++k) {
        EXPECT_EQ(jobs[k].list, 3000u + 10u * k);
        EXPECT_TRUE(jobs[k].sequence_frame);
        EXPECT_EQ(jobs[k].fine_density, 100.0);
        EXPECT_EQ(jobs[k].progress_before, k % 10 == 0 ? 0.3 : 0.0) << k;
    }
    const struct {
        const char* file;
        unsigned list;
        double after;
    } cutouts[16] = {{"textures//w1.png", 100, 0},       {"textures//w2.png", 200, 1},
                     {"textures//Tsun.png", 300, 0},     {"textures//Tcloud.png", 400, 0},
                     {"textures//Tmoon.png", 600, 1},    {"textures//cc1a.png", 1100, 0},
                     {"textures//cc1b.png", 1200, 0.5},  {"textures//cc2a.png", 1300, 0},
                     {"textures//cc2b.png", 1400, 0},    {"textures//fish2a1.png", 2000, 0.5},
                     {"textures//fish2a2.png", 2200, 0}, {"textures//fish2a3.png", 2100, 0},
                     {"textures//fish2a5.png", 2300, 0}, {"textures//fish2a6.png", 2400, 0},
                     {"textures//fish3a1.png", 2500, 0}, {"textures//fish3a2.png", 2600, 1}};
    for (int i = 0; i < 16; ++i) {
        const SlabJob& job = jobs[257 + i];
        SCOPED_TRACE(job.file);
        EXPECT_EQ(job.file, cutouts[i].file);
        EXPECT_EQ(job.list, cutouts[i].list);
        EXPECT_EQ(job.fine_density, 180.0);
        EXPECT_FALSE(job.sequence_frame);
        EXPECT_EQ(job.progress_after, cutouts[i].after);
        EXPECT_EQ(job.progress_before, 0.0);
    }
    // The edge slabs go 10000 lists above their frame: 13000 + 10k.
    EXPECT_EQ(jobs[256].list + edge_list_offset, 15560u);
}

TEST(Marker, IsTheLastPixelOf101OrMoreInRasterOrder) {
    cv::Mat image(40, 90, CV_8UC1, cv::Scalar(0));
    image.at<unsigned char>(3, 80) = 255;
    image.at<unsigned char>(30, 5) = 101;
    image.at<unsigned char>(30, 2) = 200;
    image.at<unsigned char>(35, 70) = 100;  // below the threshold
    const Vector3 m = find_marker(image);
    EXPECT_EQ(m.x, 5.0f - 66.0f);
    EXPECT_EQ(m.y, 30.0f - 16.0f);
    EXPECT_EQ(m.z, 0.0f);
    EXPECT_EQ(m.state, Vector3::ordinary);

    const Vector3 none = find_marker(cv::Mat(10, 10, CV_8UC1, cv::Scalar(100)));
    EXPECT_EQ(none.x, 0.0f);
    EXPECT_EQ(none.y, 0.0f);
}

TEST(EdgeImage, OutlinesAShapeAndLeavesItsInsideEmpty) {
    cv::Mat image(64, 64, CV_8UC1, cv::Scalar(0));
    cv::rectangle(image, {16, 16}, {47, 47}, cv::Scalar(255), cv::FILLED);
    const cv::Mat edges = edge_image(image);
    ASSERT_EQ(edges.size(), image.size());
    EXPECT_GT(cv::countNonZero(edges), 100);
    EXPECT_EQ(edges.at<unsigned char>(32, 32), 0);
    EXPECT_EQ(edges.at<unsigned char>(5, 5), 0);
    EXPECT_TRUE(edge_image(cv::Mat()).empty());
}

// A few pictures like the show's: figures with holes, discs, blobs, one marker pixel each.
class ParallelSlabs : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("middle_slabs_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        cv::RNG rng(7);
        for (int i = 0; i < 14; ++i) {
            cv::Mat image(132, 132, CV_8UC1, cv::Scalar(0));
            for (int b = 0; b < 4; ++b)
                cv::ellipse(image, {rng.uniform(30, 100), rng.uniform(20, 110)},
                            {rng.uniform(8, 30), rng.uniform(5, 25)}, rng.uniform(0, 180), 0, 360,
                            cv::Scalar(255), cv::FILLED);
            cv::circle(image, {66, 60}, 6 + i % 5, cv::Scalar(128), cv::FILLED);  // a hole
            image.at<unsigned char>(124, 60 + i) = 110;                           // the marker
            const std::string file = (dir_ / ("f" + std::to_string(i) + ".png")).string();
            cv::imwrite(file, image);
            jobs_.push_back(
                {file, 3000u + 10u * i, 100.0, i % 4 != 3, i % 3 == 0 ? 0.3 : 0.0, i % 5 == 0 ? 1.0 : 0.0});
        }
        jobs_.push_back({(dir_ / "missing.png").string(), 100, 180.0, false, 0.0, 1.0});
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    struct Run {
        std::vector<SlabResult> results;
        std::vector<std::string> calls;  // "b3" before job 3, "c3" its hand-over
    };
    Run run(unsigned workers) const {
        Run r;
        build_slabs(
            jobs_, workers, [&](std::size_t i) { r.calls.push_back("b" + std::to_string(i)); },
            [&](std::size_t i, SlabResult& result) {
                r.calls.push_back("c" + std::to_string(i));
                r.results.push_back(std::move(result));
            });
        return r;
    }

    std::filesystem::path dir_;
    std::vector<SlabJob> jobs_;
};

void expect_same(const ExtrusionGeometry& a, const ExtrusionGeometry& b) {
    ASSERT_EQ(a.cap_corners.size(), b.cap_corners.size());
    for (size_t i = 0; i < a.cap_corners.size(); ++i) {
        EXPECT_EQ(a.cap_corners[i][0], b.cap_corners[i][0]);
        EXPECT_EQ(a.cap_corners[i][1], b.cap_corners[i][1]);
    }
    ASSERT_EQ(a.walls.size(), b.walls.size());
    for (size_t w = 0; w < a.walls.size(); ++w) {
        ASSERT_EQ(a.walls[w].size(), b.walls[w].size());
        for (size_t k = 0; k < a.walls[w].size(); ++k) {
            EXPECT_EQ(a.walls[w][k].x, b.walls[w][k].x);
            EXPECT_EQ(a.walls[w][k].y, b.walls[w][k].y);
            for (int c = 0; c < 3; ++c) EXPECT_EQ(a.walls[w][k].normal[c], b.walls[w][k].normal[c]);
        }
    }
    for (int pass = 0; pass < 2; ++pass) ASSERT_EQ(a.outlines[pass].size(), b.outlines[pass].size());
}

TEST_F(ParallelSlabs, HandOverTheSameGeometryInTheSameOrderAsASerialBuild) {
    const Run serial = run(0);
    ASSERT_EQ(serial.results.size(), jobs_.size());
    int with_caps = 0, with_holes = 0;
    for (const SlabResult& r : serial.results) {
        with_caps += r.slab.cap_triangle_count() > 0;
        with_holes += !r.slab.outlines[1].empty();
    }
    EXPECT_GE(with_caps, 14) << "the pictures give real slabs";
    EXPECT_GE(with_holes, 14);
    EXPECT_EQ(serial.results.back().slab.cap_triangle_count(), 0) << "a missing file gives an empty slab";

    for (unsigned workers : {1u, 3u, 8u}) {
        SCOPED_TRACE(workers);
        const Run parallel = run(workers);
        EXPECT_EQ(parallel.calls, serial.calls) << "progress and hand-over keep the load order";
        ASSERT_EQ(parallel.results.size(), serial.results.size());
        for (size_t i = 0; i < jobs_.size(); ++i) {
            SCOPED_TRACE(i);
            expect_same(parallel.results[i].slab, serial.results[i].slab);
            expect_same(parallel.results[i].edges, serial.results[i].edges);
            EXPECT_EQ(parallel.results[i].marker.x, serial.results[i].marker.x);
            EXPECT_EQ(parallel.results[i].marker.y, serial.results[i].marker.y);
        }
    }
    // Sequence frames carry their marker and an edge slab; the cut-out rows do not.
    EXPECT_EQ(serial.results[0].marker.x, 60.0f - 66.0f);
    EXPECT_EQ(serial.results[0].marker.y, 124.0f - 16.0f);
    EXPECT_GT(serial.results[0].edges.wall_quad_count(), 0);
    EXPECT_EQ(serial.results[3].edges.wall_quad_count(), 0);
}

}  // namespace
