// The CPU half of the middle scene's load: all 514 sequence slabs and the 16 cut-outs built from
// the asset pack, on the loading thread alone and on one worker per core. The hand-over keeps
// the load order in both (the display lists, which need GL, are not compiled here).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "scenes/middle/slab_loading.h"

namespace {

bool in_show_directory() {
    static const bool found =
        std::filesystem::exists(std::filesystem::path(BRINEFALL_SHOW_DIR) / "textures/videos1/t0256.png") &&
        chdir(BRINEFALL_SHOW_DIR) == 0;
    return found;
}

void build_all(benchmark::State& state, unsigned workers) {
    if (!in_show_directory()) {
        state.SkipWithError("no asset pack in the show directory");
        return;
    }
    const std::vector<middle::SlabJob> jobs = middle::slab_jobs();
    std::size_t triangles = 0;
    for (auto _ : state) {
        build_slabs(
            jobs, workers, [](std::size_t) {},
            [&](std::size_t, middle::SlabResult& result) { triangles += result.slab.cap_triangle_count(); });
    }
    benchmark::DoNotOptimize(triangles);
    state.counters["workers"] = workers;
    state.counters["slabs"] = static_cast<double>(jobs.size());
}

void BM_MiddleSlabsSerial(benchmark::State& state) { build_all(state, 0); }
void BM_MiddleSlabsParallel(benchmark::State& state) { build_all(state, middle::extrusion_threads()); }

BENCHMARK(BM_MiddleSlabsSerial)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_MiddleSlabsParallel)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
