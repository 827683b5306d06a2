// From start to a written frame: brinefall-capture at 640 x 360 writing the one frame at show time
// T, loading included, wall-clock time. "seek" runs the show forward without drawing (the
// default); "draw_all" draws every frame on the way (--draw-all), the only way before. Both run
// side by side at the same T; the seek also runs to 450 s, where the target is 5 s.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/frame_time/seek_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void to_frame(benchmark::State& state, bool draw_all) {
    const std::string out = (std::filesystem::temp_directory_path() /
                             ("seek_bench_" + std::to_string(::getpid())))
                                .string();
    const std::string command = std::string(BRINEFALL_CAPTURE) + " --show-dir " + BRINEFALL_SHOW_DIR +
                                " --size 640x360 --fps 30 --at " + std::to_string(state.range(0)) + " --out " +
                                out + (draw_all ? " --draw-all" : "") + " > /dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("brinefall-capture failed (is there a display?)");
            return;
        }
    }
    std::filesystem::remove_all(out);
    state.counters["show_seconds"] = static_cast<double>(state.range(0));
}

void seek(benchmark::State& state) { to_frame(state, false); }
void draw_all(benchmark::State& state) { to_frame(state, true); }

}  // namespace

BENCHMARK(seek)->Arg(30)->Arg(450)->Iterations(3)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(draw_all)->Arg(30)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
