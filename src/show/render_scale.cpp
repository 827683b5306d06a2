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

double render_scale_for(double probe_ms) {
    const double frame_ms = probe_ms * frame_over_probe;
    if (frame_ms <= auto_frame_budget_ms) return 1.0;
    const double fitting = std::sqrt(auto_frame_budget_ms / frame_ms);
    // Steps of 0.05, rounded down (the small epsilon keeps 0.75 from becoming 0.7).
    return std::max(smallest_auto_scale, std::floor(fitting * 20.0 + 1e-9) / 20.0);
}

RenderScaleChoice measure_render_scale(GraphicsContext& context, int picture_width, int picture_height,
                                       bool low_spec) {
    constexpr int combine = 1, compose = 2;
    ShaderLibrary shaders;
    shaders.load_fragment_program("Other//PostProcessing//f_combineSSAO2", combine);
    shaders.load_fragment_program(
        low_spec ? "Other//PostProcessing//f_blurpasslow" : "Other//PostProcessing//f_blurpass2", compose);
    const ChainTextures textures;
    const ChainSizes sizes{picture_width, picture_height, picture_width, picture_height};
    context.create_render_target(0, picture_width, picture_height, 0);
    create_chain_textures(context, textures, sizes);
    attach_chain_textures(context, textures);

    ComposeUniforms uniforms;
    uniforms.limit = 0.5f;
    uniforms.motion_blur[0] = 0.01f;
    uniforms.motion_blur[2] = 1.0f;
    const CameraRecord projector{{0, 0, 5}, {0, 0, 0}, {0, 1, 0}, 60.0, 16.0 / 9.0, 1.0, 100.0};
    double fastest = 1e9;
    // The first run also compiles the compose's specialised copy, so it is not counted.
    for (int run = 0; run < 4; ++run) {
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        run_occlusion_combine(context, shaders, combine, textures, sizes, 1.0, projector);
        compose_to_window(context, shaders, compose, textures, sizes, uniforms);
        glFinish();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (run > 0) fastest = std::min(fastest, ms);
    }
    context.bind_window_framebuffer();

    RenderScaleChoice choice;
    choice.probe_ms = fastest;
    choice.scale = render_scale_for(fastest);
    choice.estimated_ms = fastest * frame_over_probe * choice.scale * choice.scale;
    return choice;
}
