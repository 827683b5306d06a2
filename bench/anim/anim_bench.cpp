// Loading a show-sized motion clip, and respacing a long closed spline by arc length.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "anim/motion_clip.h"
#include "anim/spline.h"
#include "core/file_io.h"
#include "core/random.h"

namespace {

// A 20-joint chain (root with 6 channels, 19 joints with 3) over `frames` frames of values.
std::string write_clip(int frames) {
    std::string text =
        "HIERARCHY\nROOT Hips\n{\n  OFFSET 0 0 0\n  CHANNELS 6 Xposition Yposition Zposition Zrotation "
        "Xrotation Yrotation\n";
    for (int j = 0; j < 19; ++j)
        text += "JOINT J" + std::to_string(j) +
                "\n{\n  OFFSET 0 1.5 0.25\n  CHANNELS 3 Zrotation Xrotation Yrotation\n";
    text += "End Site\n{\n  OFFSET 0 1 0\n}\n";
    for (int j = 0; j < 20; ++j) text += "}\n";
    text += "MOTION\nFrames: " + std::to_string(frames) + "\nFrame Time: 0.0333333\n";
    RandomGenerator random(7);
    char value[32];
    for (int f = 0; f < frames; ++f) {
        for (int v = 0; v < 6 + 19 * 3; ++v) {
            std::snprintf(value, sizeof value, "%.4f ", random.draw_unit() * 360.0 - 180.0);
            text += value;
        }
        text += "\n";
    }
    const std::string path = (std::filesystem::temp_directory_path() / "anim_bench_clip.bvh").string();
    write_file(path, text);
    return path;
}

void BM_LoadClip2000Frames20Joints(benchmark::State& state) {
    const std::string path = write_clip(2000);
    for (auto _ : state) {
        // The file is read each time, as the loader does; only the progress lines are left out.
        const auto text = read_file(path);
        const auto clip = MotionClip::from_text(*text, false);
        benchmark::DoNotOptimize(clip->frame_count);
        if (clip->frame_count != 2001 || clip->joints.size() != 20) state.SkipWithError("clip misread");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadClip2000Frames20Joints)->Unit(benchmark::kMillisecond);

void BM_ResampleClosedSpline1000Points(benchmark::State& state) {
    Spline source;
    for (int i = 0; i < 1000; ++i) {
        const float a = 2.0f * 3.14159265f * i / 1000.0f;
        source.append(
            {(10.0f + std::sin(7.0f * a)) * std::cos(a), (10.0f + std::sin(7.0f * a)) * std::sin(a), 0.0f});
    }
    source.count = 1000;
    Spline s;
    for (auto _ : state) {
        s.copy_from(source);
        s.resample(1000, static_cast<int32_t>(state.range(0)));
        benchmark::DoNotOptimize(s.points.data());
    }
}
BENCHMARK(BM_ResampleClosedSpline1000Points)->Arg(3)->Arg(8)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
