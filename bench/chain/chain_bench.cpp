// Milliseconds of the occlusion combine and of the window compose at 640 x 360 (the size the
// frame-time figures use), each with the programs as loaded (the reference chain) and with the
// specialised copies the show draws with. The frame is made up: a floor running to the horizon
// under an empty sky, boxes standing on it, random colours. Software GL shades a pixel the same
// whatever it shows, and the sky is where the occlusion stops early, as it does in the show.
//
//   xvfb-run -a build/bench/chain/chain_bench
#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "render/graphics_context.h"
#include "render/post_processing.h"
#include "render/shader_library.h"

namespace {

constexpr int width = 640, height = 360;
const std::string post = std::string(BRINEFALL_SHOW_DIR) + "/Other//PostProcessing//";

// Depth-buffer value of an eye distance for the near plane of 0.1 the scenes use.
float depth_of(float distance) { return 1.0f - 0.1f / distance; }

std::vector<float> made_up_depth() {
    std::vector<float> depth(std::size_t(width) * height, 1.0f);
    const int horizon = height * 2 / 3;
    for (int y = 0; y < horizon; ++y)
        for (int x = 0; x < width; ++x) {
            // Floor: distance grows towards the horizon.
            float distance = 2.0f * height / float(horizon - y + 4);
            // Boxes standing on it, nearer than the floor behind them.
            for (int box = 0; box < 6; ++box) {
                const int left = 40 + box * 100, right = left + 60, top = horizon - 10 - box * 12;
                const float box_distance = 3.0f + box;
                if (x >= left && x < right && y < top && box_distance < distance) distance = box_distance;
            }
            depth[std::size_t(y) * width + x] = depth_of(distance);
        }
    return depth;
}

struct Chain {
    GraphicsContext context;
    ShaderLibrary shaders;
    ChainTextures textures;
    ChainSizes sizes{width, height, width, height};
    static constexpr int combine = 1, compose = 2;
    SDL_Window* window = nullptr;
    bool ready = false;

    Chain() {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        window = SDL_CreateWindow("chain bench", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window || !SDL_GL_CreateContext(window)) return;
        context.start_up([](double) {}, width, height, false);
        create_chain_textures(context, textures, sizes);
        attach_chain_textures(context, textures);
        const std::vector<float> depth = made_up_depth();
        context.bind_texture_slot(textures.depth);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                     depth.data());
        ready = true;
    }
    void load(const char* combine_file, const char* compose_file) {
        shaders.load_fragment_program(post + combine_file, combine);
        shaders.load_fragment_program(post + compose_file, compose);
        prepare_filter_copy(context, shaders, combine);
    }
};

Chain& chain() {
    static Chain c;
    return c;
}

// The compose's settings in a moving shot: streak, soft focus and glow on.
ComposeUniforms moving(int mode) {
    ComposeUniforms u;
    u.mode = mode;
    u.ttime = 12.0f;
    u.limit = 0.4f;
    u.motion_blur[0] = 0.01f;
    u.motion_blur[2] = 1.0f;
    u.set_blur = 1.0f;
    u.fade = mode == opening_grading ? 0.0f : 0.5f;
    u.random = mode != opening_grading;
    u.shafts = mode == opening_grading;
    return u;
}

template <typename Pass>
void timed(benchmark::State& state, bool specialised, const Pass& pass) {
    Chain& c = chain();
    if (!c.ready) {
        state.SkipWithError("no GL context (run under xvfb-run)");
        return;
    }
    c.context.specialised_programs = specialised;
    pass();  // compiles what the first draw compiles
    glFinish();
    // The fastest run too: on a machine shared with other work, noise only ever adds time.
    double fastest = 1e9;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pass();
        glFinish();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        fastest = std::min(fastest, seconds * 1000.0);
    }
    state.counters["fastest_ms"] = fastest;
}

void combine(benchmark::State& state, const char* file, bool specialised) {
    Chain& c = chain();
    if (c.ready) c.load(file, "f_blurpass2");
    const CameraRecord projector{{0, 0, 5}, {0, 0, 0}, {0, 1, 0}, 60.0, 16.0 / 9.0, 1.0, 100.0};
    timed(state, specialised, [&] {
        run_occlusion_combine(c.context, c.shaders, Chain::combine, c.textures, c.sizes, 1.0, projector,
                              OcclusionSamples::filtered);
    });
}

void compose(benchmark::State& state, const char* file, int mode, bool specialised) {
    Chain& c = chain();
    if (c.ready) {
        c.load("f_combineSSAO2", file);
        prepare_compose_copies(c.context, c.shaders, Chain::compose, mode);
    }
    const ComposeUniforms u = moving(mode);
    timed(state, specialised,
          [&] { compose_to_window(c.context, c.shaders, Chain::compose, c.textures, c.sizes, u); });
}

}  // namespace

#define CHAIN_BENCH(kind, name, ...)                               \
    BENCHMARK_CAPTURE(kind, name / reference, __VA_ARGS__, false)  \
        ->UseManualTime()                                          \
        ->Unit(benchmark::kMillisecond)                            \
        ->MinTime(1.0);                                            \
    BENCHMARK_CAPTURE(kind, name / specialised, __VA_ARGS__, true) \
        ->UseManualTime()                                          \
        ->Unit(benchmark::kMillisecond)                            \
        ->MinTime(1.0)

CHAIN_BENCH(combine, SSAO2, "f_combineSSAO2");
CHAIN_BENCH(combine, SSAO3, "f_combineSSAO3");
CHAIN_BENCH(compose, blurpass2 / opening, "f_blurpass2", opening_grading);
CHAIN_BENCH(compose, blurpass2 / final, "f_blurpass2", final_grading);
CHAIN_BENCH(compose, blurpasstoy3 / final, "f_blurpasstoy3", final_grading);
CHAIN_BENCH(compose, blurpasslow / toys, "f_blurpasslow", toys_grading);

BENCHMARK_MAIN();
