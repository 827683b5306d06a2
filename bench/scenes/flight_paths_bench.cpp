// The final scene's load-time work: 1,408 flight paths of 150 steps from the wall's faces.
#include <benchmark/benchmark.h>

#include <vector>

#include "scenes/finale/flight_paths.h"

namespace {

// The wall's brick centres as the asset pack lays them out: 32 rows of 44, 3 x 2 units.
std::vector<Vector3> brick_centres() {
    std::vector<Vector3> centres;
    const float w = 3.0f / 44.0f, h = 2.0f / 32.0f;
    for (int row = 0; row < 32; ++row)
        for (int column = 0; column < 44; ++column)
            centres.push_back({Vector3::ordinary, -1.5f + (column + (row % 2 ? 0.5f : 0.0f) + 0.45f) * w,
                               -0.5f + (row + 0.45f) * h, 0.0f});
    return centres;
}

void BM_FlightPaths(benchmark::State& state) {
    const std::vector<Vector3> centres = brick_centres();
    for (auto _ : state) {
        auto paths = finale::build_flight_paths(centres);
        benchmark::DoNotOptimize(paths.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(centres.size()));
}
BENCHMARK(BM_FlightPaths)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
