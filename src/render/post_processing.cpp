#include "render/post_processing.h"

#include <GL/glew.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/random.h"
#include "render/pass_timer.h"

namespace {

void load_identity(GLenum mode) {
    glMatrixMode(mode);
    glLoadIdentity();
}

// Identity texture matrices on units `last` down to 0, leaving unit 0 active.
void reset_texture_matrices(int last) {
    for (int unit = last; unit >= 0; --unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        load_identity(GL_TEXTURE);
    }
}

void count_quad(const GraphicsContext& context) {
    if (context.pass_timer) context.pass_timer->count_draws(1);
}

// "Other//PostProcessing//f_godrays" -> "f_godrays".
std::string_view short_name(std::string_view file) {
    const std::size_t slash = file.find_last_of('/');
    return slash == std::string_view::npos ? file : file.substr(slash + 1);
}

// Shaft programs that search the highlight image for the light. Every pixel of the quad finds
// the same light, so the specialised copy searches once per corner, in v_godrays, and hands the
// result down; the fixed-light variants have nothing to search.
// The vertex half lies beside the fragment file.
constexpr std::array<std::string_view, 3> searching_shafts = {"f_godrays", "f_godrays_toys",
                                                              "f_godrays_toys2"};
constexpr std::string_view shaft_vertex_half = "v_godrays";

// The occlusion combines: their copies read the depth at texel centres through the context's
// texel sampler (ssao.glsl), bound on its own unit.
constexpr std::array<std::string_view, 2> combines = {"f_combineSSAO2", "f_combineSSAO3"};
constexpr const char* texel_map_define = "#define SSAO_TEXEL_MAP texture2d_depth_texels\n";
constexpr const char* nearest_samples_define = "#define SSAO_NEAREST_SAMPLES\n";
constexpr const char* texel_map_name = "texture2d_depth_texels";
constexpr int combine_texel_unit = 4, compose_texel_unit = 6, shading_texel_unit = 4;
// The combine's copy for the pixels nothing was drawn on, and the depth its two draws are held
// to: above the far-plane test of ssao.glsl (0.99999), so that the depth test hands the copy only
// pixels the full program would leave open.
constexpr const char* open_only_define = "#define COMBINE_OPEN_ONLY\n";
constexpr double open_only_depth = 0.999995;

template <typename T, std::size_t n>
bool listed(const T& value, const std::array<T, n>& list) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The program a chain pass draws with: a searching shaft program's or a combine's specialised
// copy (reading its occlusion samples as `samples` says), or the program as loaded.
GLuint chain_program(const GraphicsContext& context, const ShaderLibrary& shaders, int program,
                     OcclusionSamples samples = OcclusionSamples::filtered) {
    const std::string& file = shaders.fragment_file(program);
    const std::string_view name = short_name(file);
    if (!context.specialised_programs) return shaders.program(program);
    if (listed(name, searching_shafts))
        return shaders.variant(program, "#define GODRAYS_LIGHT_FROM_VERTEX\n",
                               file.substr(0, file.size() - name.size()) + std::string(shaft_vertex_half));
    if (listed(name, combines) && context.texel_sampler != 0)
        return shaders.variant(program, samples == OcclusionSamples::nearest
                                            ? std::string(texel_map_define) + nearest_samples_define
                                            : texel_map_define);
    return shaders.program(program);
}

// The uniform's location; -1 for program 0 (no program, or one that failed to link).
GLint uniform_at(GLuint program, const char* name) {
    return program ? glGetUniformLocation(program, name) : -1;
}

// Binds the texture on `unit` (left active) and points the program's sampler at it.
void bind_sampler(const GraphicsContext& context, GLuint program, int unit, const char* name, int slot) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, context.texture_name(slot));
    const GLint location = uniform_at(program, name);
    if (location >= 0) glUniform1i(location, unit);
}

// The depth texture on `unit` read through the texel sampler, for a copy with SSAO_TEXEL_MAP;
// nothing for a program without that sampler. Unbound again by release_texels.
void bind_texels(const GraphicsContext& context, GLuint program, int unit, int depth_slot) {
    if (context.texel_sampler == 0 || uniform_at(program, texel_map_name) < 0) return;
    bind_sampler(context, program, unit, texel_map_name, depth_slot);
    glBindSampler(unit, context.texel_sampler);
    glActiveTexture(GL_TEXTURE0);
}

void release_texels(const GraphicsContext& context, int unit) {
    if (context.texel_sampler != 0) glBindSampler(unit, 0);
}

void set_float(GLuint program, const char* name, float value) {
    const GLint location = uniform_at(program, name);
    if (location >= 0) glUniform1f(location, value);
}

void set_vec3(GLuint program, const char* name, const float v[3]) {
    const GLint location = uniform_at(program, name);
    if (location >= 0) glUniform3f(location, v[0], v[1], v[2]);
}

// The composes that darken with a broad occlusion (COMPOSE_DEPTH_SHADING), and the gradings
// whose copies draw it at a quarter of the size (see compose.glsl). The toys' gravel and the
// middle scene's paper show the occlusion's grain, which the quarter size smooths away (32 to
// 37 dB against the full-size stills): those keep it at full size.
constexpr std::array<std::string_view, 2> shading_composes = {"f_blurpass2", "f_blurpasstoy3"};
constexpr std::array<int, 2> quarter_shading_modes = {opening_grading, final_grading};
// The gradings whose full-size broad occlusion reads its samples at the nearest texel centre
// (SSAO_NEAREST_SAMPLES, as the final scene's combine): the toys' compose 9.3 -> 7.8 ms at
// 640 x 360, its stills 51 dB and up. The middle scene's paper shows the moved grain (38 dB at
// 192 x 108) and keeps filtered reads.
constexpr std::array<int, 1> nearest_shading_modes = {toys_grading};
// Target 1, which the quarter-size shading is drawn on, is a quarter of the render size.
constexpr int shading_reduction = 4;

// What a compose copy does beyond the frame's settings.
struct ComposeCopy {
    bool quarter_shading = false;  // reads the broad occlusion drawn at a quarter of the size
    bool texels = false;           // reads the occlusion's centre texels through the texel sampler
    bool nearest_samples = false;  // and its samples too (with texels)
};

ComposeCopy compose_copy(const GraphicsContext& context, const ShaderLibrary& shaders, int program,
                         int mode) {
    ComposeCopy copy;
    const bool shades = listed(short_name(shaders.fragment_file(program)), shading_composes);
    if (!context.specialised_programs || !shades) return copy;
    copy.quarter_shading = listed(mode, quarter_shading_modes);
    copy.texels = context.texel_sampler != 0;
    copy.nearest_samples = copy.texels && !copy.quarter_shading && listed(mode, nearest_shading_modes);
    return copy;
}

// How the compose's copy draws the motion streak this frame.
enum class Streak { full, short_one, none };

// The compose's settings that are fixed for this frame, as defines for its specialised copy
// (see compose.glsl): the grading mode; a single read when the motion streak is zero, two when
// it is the same everywhere and under a pixel long; no soft focus when "Limit" <= 0; no glow
// when "SetBlur" <= 0. Besides the two reads, only the broad occlusion read at a quarter of the
// size changes the picture, slightly; the rest leaves out work whose result was neutral.
std::string compose_defines(int mode, Streak streak, bool sharp, bool no_glow, ComposeCopy copy) {
    std::string defines = "#define COMPOSE_FIXED_MODE " + std::to_string(mode) + "\n";
    if (streak == Streak::none) defines += "#define COMPOSE_STILL\n";
    if (streak == Streak::short_one) defines += "#define COMPOSE_SHORT_STREAK\n";
    if (sharp) defines += "#define COMPOSE_SHARP\n";
    if (no_glow) defines += "#define COMPOSE_NO_GLOW\n";
    if (copy.quarter_shading)
        defines += "#define COMPOSE_SHADING_READ\n";
    else if (copy.texels)
        defines += std::string(texel_map_define) + (copy.nearest_samples ? nearest_samples_define : "");
    return defines;
}

std::string compose_defines(const ComposeUniforms& u, const ChainSizes& sizes, ComposeCopy copy) {
    const float x = u.motion_blur[0] + u.the_velocity[0], y = u.motion_blur[1] + u.the_velocity[1];
    // Without per-pixel velocities or the zoom, the streak is (x, y) over the whole picture.
    const bool uniform_streak = !(u.motion_blur[2] > 0.0f) && u.zoom_blur == 0.0f;
    Streak streak = Streak::full;
    if (uniform_streak && x == 0.0f && y == 0.0f)
        streak = Streak::none;
    else if (uniform_streak && std::hypot(x * sizes.render_width, y * sizes.render_height) < 1.0)
        streak = Streak::short_one;
    return compose_defines(u.mode, streak, u.limit <= 0.0f, u.set_blur <= 0.0f, copy);
}

std::string shading_pass_defines(ComposeCopy copy) {
    return "#define COMPOSE_SHADING_PASS " + std::to_string(shading_reduction) + ".0\n" +
           (copy.texels ? texel_map_define : "");
}

// A full-screen pass into the slot's texture on `target` (colour attachment 0, one output): the
// viewport, identity projection, texture (units last_unit..0) and modelview matrices, no depth
// test.
void begin_screen_pass(GraphicsContext& context, int target, int slot, int width, int height, int last_unit) {
    context.attach_color_texture(target, 0, slot);
    context.bind_render_target(target, 1);
    glViewport(0, 0, width, height);
    load_identity(GL_PROJECTION);
    reset_texture_matrices(last_unit);
    load_identity(GL_MODELVIEW);
    glDisable(GL_DEPTH_TEST);
}

// The broad occlusion at a quarter of the render size into the shading texture (target 1).
void draw_quarter_shading(GraphicsContext& context, const ShaderLibrary& shaders, int program,
                          const ChainTextures& textures, const ChainSizes& sizes, ComposeCopy copy) {
    PassScope scope(context, "broad occlusion");
    const int w = std::max(sizes.quarter_width(), 1), h = std::max(sizes.quarter_height(), 1);
    begin_screen_pass(context, 1, textures.shading, w, h, 1);
    glDisable(GL_BLEND);
    const GLuint id = shaders.variant(program, shading_pass_defines(copy));
    glUseProgram(id);
    bind_sampler(context, id, 3, "texture2d_2", textures.depth);
    bind_texels(context, id, shading_texel_unit, textures.depth);
    draw_screen_quad(0.0, 1.0, 1.0, true, 1.0f);
    count_quad(context);
    release_texels(context, shading_texel_unit);
    context.resolve_render_target(1, w, h, 1, false);
}

}  // namespace

void draw_screen_quad(double angle, double x_scale, double y_scale, bool billboard, float extent) {
    if (billboard) {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        for (int column = 0; column < 3; ++column)
            for (int row = 0; row < 3; ++row) m[column * 4 + row] = column == row ? 1.0f : 0.0f;
        glLoadMatrixf(m);
    }
    glRotated(angle, 0.0, 0.0, 1.0);
    glScaled(std::fabs(x_scale), y_scale, 0.0);
    const float e = extent;
    const float s0 = x_scale > 0 ? 0.0f : e, s1 = x_scale > 0 ? e : 0.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(s0, 0.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glTexCoord2f(s1, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glTexCoord2f(s1, e);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2f(s0, e);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();
}

void draw_billboard(double right_size, double up_size, const Vector3& centre, Vector3& right, Vector3& up) {
    right = scale(right, static_cast<float>(right_size));
    up = scale(up, static_cast<float>(up_size));
    const Vector3 corners[4] = {centre - right - up, centre + right - up, centre + right + up,
                                centre - right + up};
    constexpr float texcoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        glTexCoord2fv(texcoords[i]);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
}

void blend_camera(CameraRecord& target, double t, const CameraRecord& a, const CameraRecord& b) {
    const float f = static_cast<float>(t);
    target.eye = a.eye + (b.eye - a.eye) * f;
    target.centre = a.centre + (b.centre - a.centre) * f;
    target.up = a.up + (b.up - a.up) * f;
}

void run_filter_passes(GraphicsContext& context, ShaderLibrary& shaders, int program, int target,
                       int pass_count, int width, int height, int source, int destination, int second_input,
                       int third_input, std::initializer_list<FilterUniform> uniforms) {
    const std::string name(short_name(shaders.fragment_file(program)));
    PassScope scope(context, name.empty() ? "filter" : name.c_str());
    const GLuint program_id = chain_program(context, shaders, program);
    context.bind_window_framebuffer();
    context.reset_fixed_function_state();
    for (int pass = 0; pass < pass_count; ++pass) {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glViewport(0, 0, width, height);
        context.attach_color_texture(target, 0, destination);
        context.bind_render_target(target, 1);

        load_identity(GL_PROJECTION);
        reset_texture_matrices(1);
        load_identity(GL_MODELVIEW);
        glColor3f(1.0f, 1.0f, 1.0f);
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);

        shaders.use_program(program);
        glUseProgram(program_id);
        bind_sampler(context, program_id, 0, "texture2d_1", pass == 0 ? source : destination);
        if (second_input != -1) bind_sampler(context, program_id, 1, "texture2d_2", second_input);
        if (third_input != -1) bind_sampler(context, program_id, 2, "texture2d_3", third_input);
        for (const FilterUniform& uniform : uniforms) set_float(program_id, uniform.name, uniform.value);
        glActiveTexture(GL_TEXTURE0);

        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        draw_screen_quad(0.0, 1.0, 1.0, true, 1.0f);
        count_quad(context);

        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        context.resolve_render_target(target, width, height, 1, false);
        context.bind_window_framebuffer();
    }
    context.bind_window_framebuffer();
}

void create_sized_chain_textures(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes) {
    const int w = sizes.render_width, h = sizes.render_height;
    context.create_random_texture(textures.colour, w, h);
    context.create_random_texture(textures.highlights, sizes.quarter_width(), sizes.quarter_height());
    context.create_random_texture(textures.second_output, w, h);
    context.create_random_texture(textures.velocities, w, h);
    context.create_depth_texture(textures.depth, w, h);
    context.create_depth_texture(textures.prepass_depth, w, h);
    context.create_render_texture(textures.shading, sizes.quarter_width(), sizes.quarter_height(), false);
    // Scaled up over the whole picture: its edges must not wrap round to the other side.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void create_chain_textures(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes) {
    context.create_noise_texture(textures.random_vectors, 1024, 1024);
    create_sized_chain_textures(context, textures, sizes);
}

void attach_chain_textures(GraphicsContext& context, const ChainTextures& textures) {
    context.attach_color_texture(0, 0, textures.colour);
    context.attach_color_texture(0, 1, textures.second_output);
    context.attach_depth_texture(0, textures.depth);
    context.attach_color_texture(1, 0, textures.highlights);
}

void render_scene_passes(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes,
                         bool depth_prepass, const std::function<void(bool depth_mode)>& scene_pass) {
    const int w = sizes.render_width, h = sizes.render_height;
    context.attach_color_texture(0, 0, textures.colour);
    context.attach_color_texture(0, 1, textures.second_output);
    if (depth_prepass) {
        PassScope scope(context, "depth pre-pass");
        context.attach_depth_texture(0, textures.prepass_depth);
        context.bind_render_target(0, 1);
        scene_pass(true);
        context.resolve_render_target(0, w, h, 1, true);
    }
    PassScope scope(context, "main");
    context.attach_depth_texture(0, textures.depth);
    context.bind_render_target(0, 2);
    scene_pass(false);
    context.resolve_render_target(0, w, h, 2, true);
}

void render_lit_scene_passes(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes,
                             bool light, bool mirrored, const std::function<void(LitPass pass)>& scene_pass) {
    const int w = sizes.render_width, h = sizes.render_height;
    context.attach_color_texture(0, 0, textures.colour);
    context.attach_color_texture(0, 1, textures.second_output);
    if (light) {
        PassScope scope(context, "light");
        context.attach_depth_texture(0, textures.prepass_depth);
        context.bind_render_target(0, 1);
        // Only the light's depth is kept: the colour the pass would write is replaced by the
        // mirrored and main passes before anything reads it. Masked, the content groups draw
        // with their depth-only copies (use_material).
        const bool masked = context.specialised_programs;
        if (masked) glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        scene_pass(LitPass::light);
        if (masked) glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        context.resolve_render_target(0, w, h, 1, true);
    }
    context.attach_depth_texture(0, textures.depth);
    if (mirrored) {
        PassScope scope(context, "mirrored");
        context.bind_render_target(0, 2);
        scene_pass(LitPass::mirrored);
        context.resolve_render_target(0, w, h, 2, true);
    }
    PassScope scope(context, "main");
    context.bind_render_target(0, 2);
    scene_pass(LitPass::main);
    context.resolve_render_target(0, w, h, 2, true);
}

void copy_scene_colour(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes) {
    PassScope scope(context, "colour copy");
    context.attach_color_texture(0, 0, textures.velocities);
    context.bind_render_target(0, 1);
    context.resolve_render_target(0, sizes.render_width, sizes.render_height, 1, true);
    context.attach_color_texture(0, 0, textures.colour);
    context.bind_render_target(0, 1);
}

void run_occlusion_combine(GraphicsContext& context, ShaderLibrary& shaders, int program,
                           const ChainTextures& textures, const ChainSizes& sizes, double time,
                           const CameraRecord& projector, OcclusionSamples samples, float ssao_factor) {
    PassScope scope(context, "occlusion combine");
    const int w = sizes.render_width, h = sizes.render_height;
    begin_screen_pass(context, 0, textures.colour, w, h, 3);

    // The flicker depends on the clock alone, so a captured frame is reproducible.
    seed_random(static_cast<uint32_t>(static_cast<long>(time * 423424.0)));
    for (int i = 0; i < 1000; ++i) random_int();
    const float limit = static_cast<float>(random_unit());
    shaders.use_program(program);
    // The slot's own program gets the uniforms too (what a scene handed the combine can be read
    // back from the program it named); the copy, set last, draws.
    const GLuint loaded = shaders.program(program);
    const GLuint id = chain_program(context, shaders, program, samples);
    const auto set_uniforms = [&](GLuint target) {
        glUseProgram(target);
        set_float(target, "Limit", limit);
        if (ssao_factor >= 0.0f) set_float(target, "SSAOFactor", ssao_factor);
        bind_sampler(context, target, 1, "texture2d_2", textures.depth);
        bind_sampler(context, target, 2, "texture2d_3", textures.second_output);
        bind_sampler(context, target, 3, "texture2d_random", textures.random_vectors);
        bind_sampler(context, target, 0, "texture2d_1", textures.colour);
    };
    if (id != loaded) set_uniforms(loaded);
    set_uniforms(id);
    bind_texels(context, id, combine_texel_unit, textures.depth);
    shaders.set_projector_matrix(projector);

    load_identity(GL_MODELVIEW);
    const auto draw_quad = [&] {
        glPushMatrix();
        draw_screen_quad(0.0, 1.0, 1.0, true, 1.0f);
        count_quad(context);
        glPopMatrix();
    };
    if (!context.specialised_programs) {
        draw_quad();
    } else {
        // The draw target still holds the main pass's depth. Both draws lie at one depth just
        // beyond the far-plane test: the full copy shades what lies in front of it, the open-only
        // copy the rest (the sky of the toys and of the final scene, about half their pixels),
        // and software GL skips the shading of a pixel the depth test turns away.
        glPushAttrib(GL_DEPTH_BUFFER_BIT | GL_VIEWPORT_BIT | GL_ENABLE_BIT);
        glDisable(GL_ALPHA_TEST);  // with it the depth test comes after the shading
        glEnable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        glDepthRange(open_only_depth, open_only_depth);
        glDepthFunc(GL_GEQUAL);
        draw_quad();
        const GLuint open_only = shaders.variant(program, open_only_define);
        set_uniforms(open_only);
        glDepthFunc(GL_LESS);
        draw_quad();
        glPopAttrib();
        // Later passes find the full copy current, as when it drew alone.
        glUseProgram(id);
    }
    release_texels(context, combine_texel_unit);
    context.resolve_render_target(0, w, h, 1, false);
}

void compose_to_window(GraphicsContext& context, ShaderLibrary& shaders, int program,
                       const ChainTextures& textures, const ChainSizes& sizes, const ComposeUniforms& u) {
    PassScope scope(context, "compose");
    ++context.composed_frames;
    context.composed_picture_shown = picture_shown(u);
    // The picture spans the window's width; its height keeps the render area's shape.
    const double height_share = sizes.window_height > 0 && sizes.render_width > 0
                                    ? static_cast<double>(sizes.render_height) * sizes.window_width /
                                          sizes.render_width / sizes.window_height
                                    : 1.0;
    // A render area narrower than the window (a render scale below 1) is composed at its own
    // size and then scaled up: the compose is the costliest pass per pixel, and grading the
    // window's pixels would spend what the smaller render area saved.
    const bool scaled_up = sizes.render_width < sizes.window_width;
    const ComposeCopy copy = compose_copy(context, shaders, program, u.mode);
    if (copy.quarter_shading) draw_quarter_shading(context, shaders, program, textures, sizes, copy);
    context.bind_window_framebuffer();
    glViewport(0, 0, sizes.window_width, sizes.window_height);
    // Bars above and below a picture that does not fill the window stay black; a picture that
    // fills it is drawn over every pixel (nothing after the compose tests the window's depth).
    if (height_share != 1.0) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    if (scaled_up) {
        context.bind_render_target(0, 1);
        glViewport(0, 0, sizes.render_width, sizes.render_height);
    }
    load_identity(GL_PROJECTION);
    reset_texture_matrices(1);
    load_identity(GL_MODELVIEW);
    glDisable(GL_DEPTH_TEST);

    const GLuint loaded = shaders.program(program);
    const GLuint id =
        context.specialised_programs ? shaders.variant(program, compose_defines(u, sizes, copy)) : loaded;
    // The slot's own program gets the uniforms too, so what a scene handed the compose can be
    // read back from the program it named; the copy, set last, draws.
    const auto set_uniforms = [&](GLuint target) {
        glUseProgram(target);
        bind_sampler(context, target, 1, "texture2d_velocities", textures.velocities);
        if (u.random) bind_sampler(context, target, 2, "texture2d_random", textures.random_vectors);
        bind_sampler(context, target, 3, "texture2d_2", textures.depth);
        if (u.shafts) bind_sampler(context, target, 4, "texture2d_3", textures.highlights);
        if (copy.quarter_shading) bind_sampler(context, target, 5, "texture2d_shading", textures.shading);
        if (target == id) bind_texels(context, target, compose_texel_unit, textures.depth);
        bind_sampler(context, target, 0, "texture2d_1", textures.colour);

        const GLint mode = uniform_at(target, "Mode");
        if (mode >= 0) glUniform1i(mode, u.mode);
        set_float(target, "ttime", u.ttime);
        set_float(target, "Limit", u.limit);
        set_float(target, "PosY", u.pos_y);
        set_float(target, "Flo", u.flo);
        set_vec3(target, "MotionBlur", u.motion_blur);
        set_float(target, "DSP", u.dsp);
        set_float(target, "isMiddleScene", u.zoom_blur);
        set_float(target, "WhichBlur", u.which_blur);
        set_float(target, "SetBlur", u.set_blur);
        set_vec3(target, "TheVelocity", u.the_velocity);
        set_float(target, "ShaftWeight", u.shafts ? 1.0f : 0.0f);
    };
    shaders.use_program(program);
    if (id != loaded) set_uniforms(loaded);
    set_uniforms(id);

    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(u.fade, u.fade, u.fade);
    draw_screen_quad(0.0, 1.0, scaled_up ? 1.0 : height_share, true, 1.0f);
    count_quad(context);
    release_texels(context, compose_texel_unit);

    shaders.disable_programs();
    reset_texture_matrices(0);
    if (scaled_up) {
        const int picture_height = static_cast<int>(std::lround(height_share * sizes.window_height));
        const int bottom = (sizes.window_height - picture_height) / 2;
        context.scale_up_to_window(0, sizes.render_width, sizes.render_height, bottom, sizes.window_width,
                                   picture_height);
        glViewport(0, 0, sizes.window_width, sizes.window_height);
    }
}

bool composed_black(const GraphicsContext& context, const ComposeUniforms& u) {
    return !context.warming_up && (u.mode == opening_grading ? u.fade >= 1.0f : u.fade <= 0.0f);
}

float picture_shown(const ComposeUniforms& u) {
    const float shown = u.mode == opening_grading ? 1.0f - u.fade : 1.0f - 2.0f * std::abs(u.fade - 0.5f);
    return std::clamp(shown, 0.0f, 1.0f);
}

void show_black_window(const ChainSizes& sizes) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, sizes.window_width, sizes.window_height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void prepare_compose_copies(const GraphicsContext& context, const ShaderLibrary& shaders, int program,
                            int mode) {
    if (!context.specialised_programs) return;
    const ComposeCopy copy = compose_copy(context, shaders, program, mode);
    if (copy.quarter_shading) shaders.variant(program, shading_pass_defines(copy));
    for (Streak streak : {Streak::full, Streak::short_one, Streak::none})
        for (int settings = 0; settings < 4; ++settings)
            shaders.variant(program, compose_defines(mode, streak, settings & 1, settings & 2, copy));
}

void prepare_filter_copy(const GraphicsContext& context, const ShaderLibrary& shaders, int program) {
    chain_program(context, shaders, program);
}

void set_overlay_state(GraphicsContext& context, const ChainTextures& textures) {
    glUseProgram(0);
    reset_texture_matrices(1);
    context.reset_fixed_function_state();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    context.bind_texture_slot(textures.highlights);
    glEnable(GL_TEXTURE_2D);
    load_identity(GL_MODELVIEW);
}
