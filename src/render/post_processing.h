#pragma once
// The post-processing chain every show scene runs after rendering its 3D picture off screen:
//
//   scene passes      (optional depth pre-pass, main pass with two colour outputs) into target 0
//   occlusion combine screen-space ambient occlusion from depth + random vectors, full size
//   highlight blur    bright parts of the combined picture, quarter size on target 1
//   light shafts      radial shafts from the highlights, quarter size, in place
//   window compose    motion blur, shafts, grading per "Mode" and the fade, into the window
//
// The drawing helpers are the building blocks; the chain functions below them are the one
// implementation of each pass that the scenes parameterise with their own slots and uniforms.
// The meaning of every uniform is defined in the header comment of the shader that reads it
// (shaders/Other/PostProcessing/).
#include <functional>
#include <initializer_list>

#include "core/vector3.h"
#include "render/graphics_context.h"
#include "render/shader_library.h"

// ---- drawing helpers ----

// A quad with corners (±1, ±1, 0) rotated by angle degrees about z and scaled by
// (|x_scale|, y_scale, 0). Billboard: the modelview's rotation part is replaced by the identity
// first. Texture coordinates span 0..extent, mirrored left to right when x_scale <= 0. With
// identity matrices, angle 0 and scales 1 it covers the viewport.
void draw_screen_quad(double angle, double x_scale, double y_scale, bool billboard, float extent);

// Inside an open GL_QUADS list: the quad centre ± right·right_size ± up·up_size with texture
// coordinates (0,0) (1,0) (1,1) (0,1). The scaled vectors are written back to right and up.
void draw_billboard(double right_size, double up_size, const Vector3& centre, Vector3& right, Vector3& up);

// target = a + (b - a)·t for eye, centre and up; lens values are left as they are.
void blend_camera(CameraRecord& target, double t, const CameraRecord& a, const CameraRecord& b);

// pass_count full-screen passes of `program` into the destination texture on `target`: the first
// reads "texture2d_1" from the source, later passes from the destination (the previous result).
// "texture2d_2" / "texture2d_3" get the second and third inputs on units 1 and 2 unless -1.
// `uniforms` are set on the program that draws: for a searching shaft program that is its
// specialised copy, which values set on the slot never reach.
struct FilterUniform {
    const char* name;
    float value;
};
void run_filter_passes(GraphicsContext& context, ShaderLibrary& shaders, int program, int target,
                       int pass_count, int width, int height, int source, int destination,
                       int second_input = -1, int third_input = -1,
                       std::initializer_list<FilterUniform> uniforms = {});

// ---- the chain ----

// Texture slots of a scene's chain; the defaults are the opening scene's.
struct ChainTextures {
    int colour = 10000;          // scene colour (target 0, colour 0); then the combined picture
    int second_output = 10011;   // second scene output (target 0, colour 1)
    int depth = 10026;           // depth of the main pass
    int prepass_depth = 10029;   // depth of the depth pre-pass
    int highlights = 10028;      // quarter size: highlight blur, then the light shafts
    int velocities = 10032;      // per-pixel velocities for the compose
    int random_vectors = 10027;  // 1024 x 1024 noise for the occlusion combine
    int shading = 10033;         // quarter size: the compose's broad occlusion (specialised copies)
};

struct ChainSizes {
    int render_width = 0, render_height = 0;  // the area the scene renders
    int window_width = 0, window_height = 0;  // the window; taller when letterboxed
    int quarter_width() const { return render_width / 4; }
    int quarter_height() const { return render_height / 4; }
};

// Load-time: the noise texture, the random-content colour textures (full, quarter, full, full)
// and the two depth textures, in the show's order, then the quarter-size shading texture (which
// draws no random numbers); then their attachments to targets 0 and 1.
void create_chain_textures(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes);
void attach_chain_textures(GraphicsContext& context, const ChainTextures& textures);
// Every chain texture but the noise, at the render area's size: part of create_chain_textures,
// and made again alone when the render area changes size (attach them again afterwards).
void create_sized_chain_textures(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes);

// The scene passes into target 0: with depth_prepass, scene_pass(true) renders depth only into
// the pre-pass depth texture; then scene_pass(false) renders both colour outputs and the depth.
void render_scene_passes(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes,
                         bool depth_prepass, const std::function<void(bool depth_mode)>& scene_pass);

// The passes of the lit scenes (toys, final) into target 0, each drawn by scene_pass:
//   light     with `light`: depth only that matters, into prepass_depth (the shadow map), one output;
//             drawn with colour writes masked (unless GraphicsContext::specialised_programs is off)
//   mirrored  with `mirrored`: both outputs, so second_output holds the mirrored picture that the
//             main pass samples as its reflection
//   main      both outputs and the camera depth
enum class LitPass { light, mirrored, main };
void render_lit_scene_passes(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes,
                             bool light, bool mirrored, const std::function<void(LitPass pass)>& scene_pass);

// The scene colour copied into the velocities texture (the compose reads it as
// "texture2d_velocities"); target 0 is left bound with the colour texture as its one output.
void copy_scene_colour(GraphicsContext& context, const ChainTextures& textures, const ChainSizes& sizes);

// The occlusion combine into the colour texture. "Limit" is a per-frame random value that depends
// only on `time` (the generator is seeded with time · 423424 and 1000 values are discarded);
// "SSAOFactor" is set when ssao_factor >= 0. The projector matrix (unit 2) comes from `projector`.
//
// `samples` says how the chain's copy reads the occlusion's 16 depth samples a pixel: filtered,
// as the program as loaded does, or each from the nearest texel centre, which software GL reads
// at a fraction of the cost (the final scene's combine 6.1 -> 4.1 ms at 640 x 360). Nearest
// moves the occlusion's fine grain to other pixels, the more the smaller the picture: the
// opening's stage, the toys' underwater shots and the middle scene's paper show that (below
// 40 dB against the filtered reads) and keep them filtered. The programs as loaded
// (--reference-chain) always filter.
enum class OcclusionSamples { filtered, nearest };
void run_occlusion_combine(GraphicsContext& context, ShaderLibrary& shaders, int program,
                           const ChainTextures& textures, const ChainSizes& sizes, double time,
                           const CameraRecord& projector, OcclusionSamples samples, float ssao_factor = -1.0f);

// The window compose's uniforms; 0 is each one's neutral value (see the shader headers).
// The compose's grading ("Mode"), one per scene.
inline constexpr int opening_grading = 1, toys_grading = 2, middle_grading = 3, final_grading = 4;

struct ComposeUniforms {
    int mode = opening_grading;
    float ttime = 0.0f;
    float limit = 0.0f;
    float flo = 0.0f;
    float pos_y = 0.0f;
    float motion_blur[3] = {0, 0, 0};
    float dsp = 0.0f;
    float zoom_blur = 0.0f;  // "isMiddleScene", despite its name the toys scene's radial zoom blur
    float which_blur = 0.0f;
    float set_blur = 0.0f;
    float the_velocity[3] = {0, 0, 0};
    // Primitive colour: in Modes 2-4 grey 0.5 is the picture as it is, lower fades towards black,
    // higher towards white; in Mode 1, 0 is the picture as it is and 1 fully faded to black. The
    // same for the full and the low-detail compose (see compose_to_window).
    float fade = 0.0f;
    // The highlight and shaft passes ran this frame: "texture2d_3" = the highlights texture
    // (unit 4) and "ShaftWeight" 1. Otherwise the texture still holds an older frame's glow, so
    // it is left unbound and weighs nothing.
    bool shafts = true;
    bool random = false;  // "texture2d_random" = the random vectors (unit 2)
};

// The window compose: letterbox bands cleared when the window is taller than the render area,
// the picture scaled to the render height's share of the window. Ends with programs off and the
// texture matrices reset (unit 0 active). With the specialised copies, a compose with broad
// occlusion first draws that at a quarter of the size into the shading texture on target 1.
//
// Low detail changes only the program (the scenes' tables name "f_blurpasslow" for their compose
// rows), never the uniforms: the low-detail compose is drawn with the scene's fade as the full
// one is. It was once handed "Limit" + 0.5 as its colour instead, a brightness on a scale where
// 0.5 meant "as is"; our composes share one grading whose Mode 1 reads the colour as a fade (0 as
// is, 1 black), so that value blacked the opening out whenever "Limit" was high.
void compose_to_window(GraphicsContext& context, ShaderLibrary& shaders, int program,
                       const ChainTextures& textures, const ChainSizes& sizes,
                       const ComposeUniforms& uniforms);

// Whether a frame may show a black window (show_black_window) instead of drawing its passes:
// the compose's fade takes the whole picture away (fade 0 in Modes 2-4, fade 1 or more in
// Mode 1), so it would draw every pixel black, and the warm-up is not drawing.
bool composed_black(const GraphicsContext& context, const ComposeUniforms& uniforms);
// How much of the picture the compose's fade leaves showing: 1 all of it, 0 none (faded out to
// black, or in Modes 2-4 to white).
float picture_shown(const ComposeUniforms& uniforms);
// The window cleared to opaque black. Nothing a scene's passes leave behind is read by a later
// frame before it is drawn again, so skipping them costs no later picture; on software GL it
// saves a whole frame's work.
void show_black_window(const ChainSizes& sizes);

// ---- specialised copies, compiled while a scene loads ----
//
// With GraphicsContext::specialised_programs the chain draws with copies of its programs
// compiled for what is fixed in a draw (the compose's settings, the shafts' light search). A
// copy takes tens of milliseconds to compile on software GL and makes GL objects, so a scene
// compiles every copy it can reach while it loads and none appears mid-show. Both do nothing
// when the copies are off.

// Every compose copy of `mode`: still, short-streaked or streaked, sharp or soft, with or without
// the glow; and
// for a compose with broad occlusion, the copy that draws it at a quarter of the size.
void prepare_compose_copies(const GraphicsContext& context, const ShaderLibrary& shaders, int program,
                            int mode);
// The copy a searching shaft program draws with; nothing for any other program.
void prepare_filter_copy(const GraphicsContext& context, const ShaderLibrary& shaders, int program);

// The state the frame driver's overlays expect after the opening scene's chain: fixed function,
// additive blending, the highlights texture bound with 2D texturing on, identity modelview.
void set_overlay_state(GraphicsContext& context, const ChainTextures& textures);
