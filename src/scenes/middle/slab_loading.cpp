#include "scenes/middle/slab_loading.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace middle {

namespace {

struct CutoutRow {
    const char* file;
    unsigned list;
    double progress_after;
};

// The cut-outs in load order. The fish lists do not follow the file order (fish2a2 → 2200,
// fish2a3 → 2100).
constexpr CutoutRow cutouts[] = {
    {"textures//w1.png", wave_list, 0.0},
    {"textures//w2.png", curling_wave_list, 1.0},
    {"textures//Tsun.png", sun_list, 0.0},
    {"textures//Tcloud.png", cloud_list, 0.0},
    {"textures//Tmoon.png", moon_list, 1.0},
    {"textures//cc1a.png", skyline_lists[0], 0.0},
    {"textures//cc1b.png", skyline_lists[1], 0.5},
    {"textures//cc2a.png", curly_cloud_lists[0], 0.0},
    {"textures//cc2b.png", curly_cloud_lists[1], 0.0},
    {"textures//fish2a1.png", fish_lists[0], 0.5},
    {"textures//fish2a2.png", unshown_fish_list, 0.0},
    {"textures//fish2a3.png", fish_lists[1], 0.0},
    {"textures//fish2a5.png", fish_lists[2], 0.0},
    {"textures//fish2a6.png", fish_lists[3], 0.0},
    {"textures//fish3a1.png", fish_lists[4], 0.0},
    {"textures//fish3a2.png", fish_lists[5], 1.0},
};

constexpr int marker_threshold = 101;
constexpr int marker_column = 66, marker_row = 16;

}  // namespace

std::string sequence_file_name(int k) {
    char name[64];
    const char* format = k < 10    ? "textures//videos1//t000%d.png"
                         : k < 100 ? "textures//videos1//t00%d.png"
                                   : "textures//videos1//t0%d.png";
    std::snprintf(name, sizeof name, format, k);
    return name;
}

std::vector<SlabJob> slab_jobs() {
    std::vector<SlabJob> jobs;
    for (int k = 0; k < 257; ++k)
        jobs.push_back(
            {sequence_file_name(k), sequence_list(k), sequence_density, true, k % 10 == 0 ? 0.3 : 0.0, 0.0});
    for (const CutoutRow& row : cutouts)
        jobs.push_back({row.file, row.list, cutout_density, false, 0.0, row.progress_after});
    return jobs;
}

Vector3 find_marker(const cv::Mat& image) {
    for (int row = image.rows - 1; row >= 0; --row) {
        const unsigned char* pixels = image.ptr<unsigned char>(row);
        for (int column = image.cols - 1; column >= 0; --column)
            if (pixels[column] >= marker_threshold)
                return {static_cast<float>(column - marker_column), static_cast<float>(row - marker_row),
                        0.0f};
    }
    return {0.0f, 0.0f, 0.0f};
}

cv::Mat edge_image(const cv::Mat& image) {
    cv::Mat edges;
    if (!image.empty()) cv::Canny(image, edges, 50, 100, 3);
    return edges;
}

SlabResult build_slab(ContourExtruder& extruder, const SlabJob& job) {
    SlabResult result;
    const cv::Mat image = cv::imread(job.file, cv::IMREAD_GRAYSCALE);
    result.slab = extruder.build(image, coarse_density, job.fine_density, outline_tolerance);
    if (job.sequence_frame) {
        if (!image.empty()) result.marker = find_marker(image);
        result.edges = extruder.build(edge_image(image), coarse_density, job.fine_density, outline_tolerance);
    }
    return result;
}

unsigned extrusion_threads() { return std::max(1u, std::thread::hardware_concurrency()); }

void build_slabs(std::span<const SlabJob> jobs, unsigned workers,
                 const std::function<void(std::size_t)>& before,
                 const std::function<void(std::size_t, SlabResult&)>& consume) {
    if (workers == 0) {
        ContourExtruder extruder;
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            before(i);
            SlabResult result = build_slab(extruder, jobs[i]);
            consume(i, result);
        }
        return;
    }

    std::vector<std::optional<SlabResult>> results(jobs.size());
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> threads;
    for (unsigned w = 0; w < workers; ++w)
        threads.emplace_back([&] {
            ContourExtruder extruder;  // each worker its own: the tessellator keeps its vertices
            for (std::size_t i = next++; i < jobs.size(); i = next++) {
                SlabResult result = build_slab(extruder, jobs[i]);
                {
                    const std::lock_guard lock(mutex);
                    results[i] = std::move(result);
                }
                ready.notify_all();
            }
        });
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        before(i);
        std::optional<SlabResult> result;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return results[i].has_value(); });
            result.swap(results[i]);
        }
        consume(i, *result);
    }
    for (std::thread& thread : threads) thread.join();
}

}  // namespace middle
