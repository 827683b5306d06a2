#include "show/render_scale.h"

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "render/graphics_context.h"
#include "render/post_processing.h"
#include "render/shader_library.h"

int scaled_side(int picture_side, double scale) {
    return std::max(16, static_cast<int>(std::lround(picture_side * std::min(scale, 1.0))));
}

double estimated_frame_ms(double probe_ms, double reference_probe_ms, double scale) {
    return fixed_over_probe * reference_probe_ms + window_over_probe * probe_ms +
           pixels_over_probe * probe_ms * scale * scale;
}

double render_scale_for(double probe_ms, double reference_probe_ms, double budget_ms) {
    // Steps of 0.05 from 1 down; the estimate only grows with the scale.
    for (int step = 20; step > 5; --step)
        if (estimated_frame_ms(probe_ms, reference_probe_ms, step / 20.0) <= budget_ms)
            return step / 20.0;
    return smallest_auto_scale;
}

namespace {

// The fastest timed run of the two passes at a size. A first run, which also compiles the
// compose's specialised copy, is not counted; then at least three runs and at least
// probe_least_ms of them: a GPU idling through the loading screen draws its first frames at a
// low clock, and a fast GPU needs many runs before it has been busy long enough to raise it, so
// a short probe would make it look slower than it is and cost its viewer the full picture.
double probe(GraphicsContext& context, ShaderLibrary& shaders, int combine, int compose, int width,
             int height) {
    const ChainTextures textures;
    const ChainSizes sizes{width, height, width, height};
    context.create_render_target(0, width, height, 0);
    create_chain_textures(context, textures, sizes);
    attach_chain_textures(context, textures);
    // The made-up frame lies in front of the far plane everywhere (depth 0 in the target the
    // combine tests against), so the combine shades every pixel, as when the weights were fitted.
    context.bind_render_target(0, 1);
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);

    // The middle scene's grading: its compose keeps the broad occlusion at full size, as every
    // compose did when the weights were fitted, so the probe still stands for the same work.
    ComposeUniforms uniforms;
    uniforms.mode = middle_grading;
    uniforms.limit = 0.5f;
    uniforms.motion_blur[0] = 0.01f;
    uniforms.motion_blur[2] = 1.0f;
    const CameraRecord projector{{0, 0, 5}, {0, 0, 0}, {0, 1, 0}, 60.0, 16.0 / 9.0, 1.0, 100.0};
    double fastest = 1e9, timed_ms = 0;
    for (int run = 0; run < probe_most_runs && (run < 4 || timed_ms < probe_least_ms); ++run) {
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        run_occlusion_combine(context, shaders, combine, textures, sizes, 1.0, projector, OcclusionSamples::filtered);
        compose_to_window(context, shaders, compose, textures, sizes, uniforms);
        glFinish();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (run == 0) continue;
        fastest = std::min(fastest, ms);
        timed_ms += ms;
    }
    context.bind_window_framebuffer();
    return fastest;
}

}  // namespace

RenderScaleChoice measure_render_scale(GraphicsContext& context, int picture_width, int picture_height,
                                       bool low_spec) {
    constexpr int combine = 1, compose = 2;
    ShaderLibrary shaders;
    shaders.load_fragment_program("Other//PostProcessing//f_combineSSAO2", combine);
    shaders.load_fragment_program(
        low_spec ? "Other//PostProcessing//f_blurpasslow" : "Other//PostProcessing//f_blurpass2", compose);

    RenderScaleChoice choice;
    choice.reference_probe_ms =
        probe(context, shaders, combine, compose, probe_reference_width, probe_reference_height);
    choice.probe_ms = probe(context, shaders, combine, compose, picture_width, picture_height);
    choice.scale = render_scale_for(choice.probe_ms, choice.reference_probe_ms);
    choice.estimated_ms = estimated_frame_ms(choice.probe_ms, choice.reference_probe_ms, choice.scale);
    choice.live_scale = render_scale_for(choice.probe_ms, choice.reference_probe_ms, live_frame_budget_ms);
    const double full = estimated_frame_ms(choice.probe_ms, choice.reference_probe_ms, 1.0);
    if (full > 0) choice.fixed_share = estimated_frame_ms(choice.probe_ms, choice.reference_probe_ms, 0.0) / full;
    return choice;
}
