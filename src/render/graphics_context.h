#pragma once
// The one rendering context of the show. Start-up fills it once; every scene receives it in its
// load and draw calls. It holds the texture table (GL texture names by slot), the sixteen
// off-screen render targets, the texture-loading options, the low-detail option, the loading
// progress callback and the view and light cameras the post-processing helpers read.
//
// Texture slots. A slot below 85000 is relative: its GL name lives at table index slot + base.
// A slot of 85000 or more is absolute: table index slot. The base is 0 for the whole show, so
// both forms address the same entries. Slots that fall outside the table, or onto the entries
// that hold the render targets' framebuffers (10064..10095) or the base (10097), are refused with
// a log line: a stray slot must not overwrite a framebuffer name.
//
// A slot holds one texture at a time. Making a texture in a slot deletes the texture a creator
// made there before: the toys, middle and final scenes make the chain's textures in the same
// slots, and the final scene its glow where the opening keeps its moon glow, so without this
// each earlier texture stayed allocated, unreachable, until the process ended. Nothing drew
// with them: a slot's readers look the name up in the table, which already held the newest.
// Entries written directly (a scene's own 1D textures) and the renderbuffer names of the render
// targets are never deleted through the table.
//
// Render targets. For target i (0..15) the table holds colour renderbuffer 0 at 10000 + i,
// colour renderbuffer 1 at 10016 + i, the depth renderbuffer at 10048 + i, the draw framebuffer
// (renderbuffers attached) at 10064 + i and the resolve framebuffer (textures attached by the
// scenes) at 10080 + i. The renderbuffer names are only needed while a target is created, so
// render textures may take those table entries over. Creating a target again (the render scale
// "auto" measures at two sizes, then makes the targets at the chosen one) deletes the objects
// the target held.
//
// Rendering into a texture: attach_color_texture (and attach_depth_texture) on the resolve
// framebuffer; bind_render_target with the number of colour outputs; draw; resolve_render_target;
// bind_window_framebuffer.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/vector3.h"

class PassTimer;  // render/pass_timer.h

// A look-at camera: what the scenes hand to the perspective and look-at calls.
struct CameraRecord {
    Vector3 eye, centre, up;
    double fov = 0.0;  // vertical field of view, degrees
    double aspect = 0.0;
    double near_distance = 0.0;
    double far_distance = 0.0;
};

class GraphicsContext {
public:
    static constexpr int absolute_slot_start = 85000;
    static constexpr int table_size = 100000;
    static constexpr int render_target_count = 16;
    static constexpr int colour0_renderbuffer_index = 10000;
    static constexpr int colour1_renderbuffer_index = 10016;
    static constexpr int depth_renderbuffer_index = 10048;
    static constexpr int draw_framebuffer_index = 10064;
    static constexpr int resolve_framebuffer_index = 10080;
    static constexpr int base_index = 10097;

    // Redraws the loading screen; texture loading calls it (with 0.1) before each JPEG texture.
    std::function<void(double)> progress;
    // The setup dialog's "Low spec GPU": scenes choose the cheaper post-processing.
    bool low_detail = false;
    // The platform window the context draws into (set once the window exists).
    void* window = nullptr;
    // Written by the scenes every frame; read by the post-processing helpers and the projector.
    CameraRecord view_camera, light_camera;
    // Capture's --profile: the chain and the content groups time their passes here (null: off).
    PassTimer* pass_timer = nullptr;
    // Start-up's warm-up is drawing: frames faded out to black draw their passes all the same,
    // since the first draws are where software GL grows its storage.
    bool warming_up = false;
    // Frames composed into the window so far; a frame faded out to black draws no pass and is
    // not counted.
    long composed_frames = 0;
    // How much of the last composed frame's picture its fade left showing (picture_shown): a
    // change of render scale on the frame after a dark one is not seen.
    float composed_picture_shown = 1.0f;
    // The chain draws with cheaper copies of its programs specialised for the frame's settings
    // (same pictures); the scenes compile the copies while they load (prepare_compose_copies),
    // and leave out the passes whose pictures nothing reads. Off (the reference chain): every
    // pass draws, with its program as loaded.
    bool specialised_programs = true;
    // A sampler object that reads the nearest texel (0 where the GL has none), made by start_up:
    // the chain's specialised copies read depth at texel centres through it.
    uint32_t texel_sampler = 0;
    // Texture creators choose trilinear minification with automatic mipmap generation.
    bool generate_mipmaps = false;
    // GL names by table index; see the slot rules above.
    std::vector<uint32_t> texture_table = std::vector<uint32_t>(table_size, 0u);
    // Added to relative texture slots.
    int texture_slot_base = 0;
    // JPEG loads are replaced by the generated 8x8 grid texture.
    bool placeholder_textures = false;
    // JPEG textures are stored in a driver-compressed format (start-up switches it off).
    bool compress_textures = true;
    // How a failed texture load ends the process (after its message box). Start-up installs the
    // shell's ending; when unset the process exits directly. A loader returns if it comes back.
    std::function<void(int exit_code)> end_process;

    // The context steps of start-up, in order: install the progress callback, query the GL
    // vendor, initialise GLEW (and make the texel sampler), create target 0 at the render size
    // and target 1 at a quarter of it (integer division), base 0, linear filtering on the bound
    // 2D texture, placeholder and compressed textures off, the low-detail option from the setup
    // dialog. Returns the vendor.
    std::string start_up(std::function<void(double)> progress_callback, int render_width, int render_height,
                         bool low_spec_gpu);

    // ---- texture table ----
    // Table index of a slot, or -1 (logged) when it falls outside the table.
    int table_index(int slot) const;
    // The GL name stored for the slot; 0 for a refused slot.
    uint32_t texture_name(int slot) const;
    // Binds the slot's texture to the 2D target of the active unit.
    void bind_texture_slot(int slot) const;

    // ---- render targets ----
    // Colour renderbuffers 0 and 1 (RGBA8), a DEPTH_COMPONENT24 renderbuffer, the draw
    // framebuffer with them attached, and an empty resolve framebuffer, left bound. The target
    // number is clamped to 0..15. What the target held before is deleted, and so is a creator's
    // texture in one of the table entries the new renderbuffers take.
    void create_render_target(int target, int width, int height, int samples);
    // Binds the draw framebuffer and draws into colour attachments 0..count-1 (count 1..3).
    void bind_render_target(int target, int colour_count);
    // Attaches the slot's 2D texture as colour attachment 0..2 of the resolve framebuffer;
    // returns the completeness status.
    uint32_t attach_color_texture(int target, int attachment, int slot);
    // Attaches the slot's 2D texture as the resolve framebuffer's depth; returns completeness.
    uint32_t attach_depth_texture(int target, int slot);
    // Copies colour attachments 0..count-1 (and the depth when asked) of the draw framebuffer
    // into the resolve framebuffer's textures, rectangle (0, 0)-(width, height), nearest.
    void resolve_render_target(int target, int width, int height, int colour_count, bool copy_depth);
    // Framebuffer 0 (the window) for drawing and reading.
    void bind_window_framebuffer();
    // Scales colour 0 of the draw framebuffer, rectangle (0, 0)-(width, height), into the
    // window's rectangle (0, bottom)-(window_width, bottom + window_height), linear; leaves the
    // window framebuffer bound. The picture is copied into a texture of its size and drawn on a
    // fixed-function quad: software GL draws that about a millisecond sooner at 1280 x 720 than
    // a scaling blit, with the same pixels. The GL state the caller set (program, textures,
    // viewport, matrices, enables) is as it was afterwards.
    void scale_up_to_window(int target, int width, int height, int bottom, int window_width,
                            int window_height);
    // Blending, lighting, colour material, light 0, 2D texturing and fog off; colour opaque white.
    void reset_fixed_function_state();

    // ---- texture creators (each generates a new GL name into the slot and leaves it bound) ----
    // DEPTH_COMPONENT24, no data; LINEAR; CLAMP_TO_EDGE; depth texture mode LUMINANCE.
    void create_depth_texture(int slot, int width, int height);
    // RGB of random bytes, filled column by column; LINEAR.
    void create_noise_texture(int slot, int width, int height);
    // RGBA, each byte random % 255; LINEAR or trilinear (generate mipmaps).
    void create_random_texture(int slot, int width, int height);
    // RGB to render into: COMPRESSED_RGB without data, or RGB with an all-zero image.
    void create_render_texture(int slot, int width, int height, bool compressed);
    // The 8x8 RGB placeholder grid (white border lines, random grey-ish cells); LINEAR.
    void create_grid_texture(int slot);
    // A JPEG file as a 2D RGB texture (compressed when asked and 33 pixels wide or more).
    void load_jpeg_texture(const std::string& file_name, int slot);
    // A tangent-space normal map from the red channel of a JPEG height image (Sobel, wrapping).
    void load_normal_map(const std::string& file_name, int slot);
    // A cube map from six JPEG files in the order +X, -X, +Y, -Y, +Z, -Z.
    void load_cube_map(const std::string files[6], int slot);
    // A JPEG cube face: RGB rows bottom-up, each row mirrored (the image turned by 180 degrees).
    // Empty (after the failure message box) when the file is missing or undecodable.
    std::vector<uint8_t> load_jpeg_pixels(const std::string& file_name, int& width, int& height);

private:
    // Table index for a texture creator's new name; -1 (logged) for a refused slot.
    int writable_index(int slot) const;
    // A new texture name of `target`, bound, stored at the table index; the creator's texture the
    // index held is deleted afterwards (so the new name is never the old one).
    void store_new_texture(int index, uint32_t target);
    // Deletes the texture a creator stored at the table index, if it holds one.
    void release_texture(int index);
    // Message box with the file name, then the process ends with status 0.
    void fail_texture(const std::string& file_name, const char* caption);
    // The filtering every image and random texture gets: LINEAR, or trilinear with mipmaps.
    void set_default_filtering() const;
    // Uploads RGB bytes to the bound 2D texture, compressed through the driver when asked.
    void upload_rgb(const uint8_t* pixels, int width, int height, bool compressed) const;

    // True at the table indices whose name a texture creator made (and so may delete).
    std::vector<bool> created_texture_ = std::vector<bool>(table_size, false);
    // The GL objects of each render target, kept apart from the table, whose renderbuffer
    // entries render textures may overwrite.
    struct TargetObjects {
        uint32_t colour0 = 0, colour1 = 0, depth = 0, draw = 0, resolve = 0;
    };
    TargetObjects targets_[render_target_count];
    // The picture scale_up_to_window draws from: an RGBA8 texture of the last size it scaled
    // and a framebuffer with it attached, made at its first use and again when the size changes.
    struct ScaledPicture {
        uint32_t texture = 0, framebuffer = 0;
        int width = 0, height = 0;
    };
    ScaledPicture scaled_picture_;
};
