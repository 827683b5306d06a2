// Each scene's median and 95th-percentile frame time at 640 x 360, normal and "Low spec GPU",
// next to the targets (a median of 33 ms, 17 ms with low spec). One iteration is one run of
// brinefall-capture over the whole show, frames 1 s of show time apart (the frame cost does
// not depend on the step), so every scene is sampled across all of its shots; the figures are
// capture's --stats per scene slot. Needs a display (xvfb-run on a machine without one).
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/frame_time/frame_time_bench
//   ... --benchmark_filter=Normal/specialised     (one configuration)
//
// "reference" runs draw with the chain's programs as loaded (--reference-chain): the frame cost
// before the specialised copies, in the same build.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr std::array<const char*, 4> scene_names = {"opening", "toys", "middle", "final"};
constexpr double normal_target_ms = 33.0, low_spec_target_ms = 17.0;

struct SceneFrames {
    double median_ms = 0, p95_ms = 0;
    long frames = 0;
};

// The per-slot entries of "scene_frames" in capture's --stats line.
bool read_scene_frames(const std::string& json, std::array<SceneFrames, 4>& scenes) {
    std::size_t at = json.find("\"scene_frames\": [");
    if (at == std::string::npos) return false;
    for (SceneFrames& scene : scenes) {
        at = json.find("{\"frames\": ", at);
        if (at == std::string::npos ||
            std::sscanf(json.c_str() + at, "{\"frames\": %ld, \"median_ms\": %lf, \"p95_ms\": %lf",
                        &scene.frames, &scene.median_ms, &scene.p95_ms) != 3)
            return false;
        ++at;
    }
    return true;
}

void frame_time(benchmark::State& state, bool low_spec, bool reference) {
    const std::string stats = (std::filesystem::temp_directory_path() /
                               ("frame_time_bench_" + std::to_string(::getpid()) + ".json"))
                                  .string();
    const std::string command = std::string(BRINEFALL_CAPTURE) + " --show-dir " + BRINEFALL_SHOW_DIR +
                                " --size 640x360 --fps 1 --stats " + stats + (low_spec ? " --low-spec" : "") +
                                (reference ? " --reference-chain" : "") + " > /dev/null 2>&1";
    std::array<SceneFrames, 4> scenes{};
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("brinefall-capture failed (is there a display?)");
            return;
        }
        std::ifstream in(stats);
        std::stringstream json;
        json << in.rdbuf();
        if (!read_scene_frames(json.str(), scenes)) {
            state.SkipWithError("no scene frames in the --stats file");
            return;
        }
    }
    std::remove(stats.c_str());
    const double target = low_spec ? low_spec_target_ms : normal_target_ms;
    state.counters["target_ms"] = target;
    for (std::size_t slot = 0; slot < scene_names.size(); ++slot) {
        const std::string name = scene_names[slot];
        state.counters[name + "_median_ms"] = scenes[slot].median_ms;
        state.counters[name + "_p95_ms"] = scenes[slot].p95_ms;
        std::printf("%-8s %-11s %-7s median %6.1f ms  p95 %6.1f ms  target %4.0f ms  %s  (%ld frames)\n",
                    low_spec ? "low spec" : "normal", reference ? "reference" : "specialised", name.c_str(),
                    scenes[slot].median_ms, scenes[slot].p95_ms, target,
                    scenes[slot].median_ms <= target ? "met" : "missed", scenes[slot].frames);
    }
}

}  // namespace

BENCHMARK_CAPTURE(frame_time, Normal / specialised, false, false)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(frame_time, LowSpec / specialised, true, false)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(frame_time, Normal / reference, false, true)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(frame_time, LowSpec / reference, true, true)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
