// The texture creators of GraphicsContext: every texture of the show is made here and stored by
// slot in the texture table. The pixel buffers come from render/texture_pixels.h; this file only
// talks to the GL.
#include <GL/glew.h>

#include <cstdlib>
#include <vector>

#include "core/random.h"
#include "platform/message_box.h"
#include "render/graphics_context.h"
#include "render/texture_pixels.h"

namespace {

// Generated texture rows are tightly packed (RGB rows are rarely a multiple of 4 bytes), so the
// GL must read them with byte alignment; the caller's alignment is put back afterwards.
class TightUnpack {
public:
    TightUnpack() {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &saved_);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~TightUnpack() { glPixelStorei(GL_UNPACK_ALIGNMENT, saved_); }

private:
    GLint saved_ = 4;
};

void linear_filtering() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

}  // namespace

void GraphicsContext::store_new_texture(int index, uint32_t target) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(target, name);
    // The old texture goes only once the new name exists, so the new one never gets its name.
    release_texture(index);
    texture_table[index] = name;
    created_texture_[index] = true;
}

void GraphicsContext::release_texture(int index) {
    if (!created_texture_[index]) return;
    const GLuint old = texture_table[index];
    glDeleteTextures(1, &old);
    texture_table[index] = 0;
    created_texture_[index] = false;
}

void GraphicsContext::set_default_filtering() const {
    linear_filtering();
    if (generate_mipmaps) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    }
}

void GraphicsContext::fail_texture(const std::string& file_name, const char* caption) {
    message_box(caption, file_name, MessageButtons::ok, MessageIcon::information);
    if (end_process)
        end_process(0);
    else
        std::exit(0);
}

void GraphicsContext::upload_rgb(const uint8_t* pixels, int width, int height, bool compressed) const {
    TightUnpack tight;
    if (!compressed) {
        glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
        return;
    }
    // Let the driver compress, then hand its own compressed image back as level 0: the stored
    // format is whatever the driver chose, and the upload path becomes the compressed one.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_COMPRESSED_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    GLint is_compressed = GL_FALSE;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &is_compressed);
    if (is_compressed != GL_TRUE) return;
    GLint format = 0, size = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED_IMAGE_SIZE, &size);
    if (size <= 0) return;
    std::vector<uint8_t> image(static_cast<std::size_t>(size));
    glGetCompressedTexImage(GL_TEXTURE_2D, 0, image.data());
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLenum>(format), width, height, 0, size,
                           image.data());
}

void GraphicsContext::create_depth_texture(int slot, int width, int height) {
    const int index = writable_index(slot);
    if (index < 0) return;
    store_new_texture(index, GL_TEXTURE_2D);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT,
                 GL_UNSIGNED_INT, nullptr);
    linear_filtering();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_DEPTH_TEXTURE_MODE, GL_LUMINANCE);
}

void GraphicsContext::create_noise_texture(int slot, int width, int height) {
    const int index = writable_index(slot);
    if (index < 0 || width <= 0 || height <= 0) return;
    const std::vector<uint8_t> pixels = noise_pixels(width, height, show_random());
    store_new_texture(index, GL_TEXTURE_2D);
    TightUnpack tight;
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    linear_filtering();
}

void GraphicsContext::create_random_texture(int slot, int width, int height) {
    const int index = writable_index(slot);
    if (index < 0 || width <= 0 || height <= 0) return;
    const std::vector<uint8_t> pixels = random_pixels(width, height, show_random());
    store_new_texture(index, GL_TEXTURE_2D);
    set_default_filtering();
    TightUnpack tight;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

void GraphicsContext::create_render_texture(int slot, int width, int height, bool compressed) {
    const int index = writable_index(slot);
    if (index < 0 || width <= 0 || height <= 0) return;
    store_new_texture(index, GL_TEXTURE_2D);
    set_default_filtering();
    if (compressed) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_COMPRESSED_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     nullptr);
        return;
    }
    const std::vector<uint8_t> black(static_cast<std::size_t>(width) * height * 3, 0);
    TightUnpack tight;
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, black.data());
}

void GraphicsContext::create_grid_texture(int slot) {
    const int index = writable_index(slot);
    if (index < 0) return;
    const std::vector<uint8_t> pixels = grid_pixels(show_random());
    store_new_texture(index, GL_TEXTURE_2D);
    TightUnpack tight;
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 8, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    linear_filtering();
}

void GraphicsContext::load_jpeg_texture(const std::string& file_name, int slot) {
    if (progress) progress(0.1);
    if (placeholder_textures) {
        create_grid_texture(slot);
        return;
    }
    const JpegLoadResult loaded = load_jpeg_rgb(file_name.c_str());
    if (loaded.status != JpegLoadStatus::ok) {
        fail_texture(file_name, loaded.status == JpegLoadStatus::cannot_open ? "Jpg" : "Jpg !");
        return;
    }
    const int index = writable_index(slot);
    if (index < 0) return;
    store_new_texture(index, GL_TEXTURE_2D);
    set_default_filtering();
    const RgbImage& image = loaded.image;
    upload_rgb(image.pixels.data(), image.width, image.height, compress_textures && image.width >= 33);
}

void GraphicsContext::load_normal_map(const std::string& file_name, int slot) {
    if (placeholder_textures) {
        create_grid_texture(slot);
        return;
    }
    const JpegLoadResult loaded = load_jpeg_rgb(file_name.c_str());
    if (loaded.status != JpegLoadStatus::ok) {
        fail_texture(file_name, "Jpg !");
        return;
    }
    const int index = writable_index(slot);
    if (index < 0) return;
    const RgbImage normals = compute_normal_map(loaded.image);
    store_new_texture(index, GL_TEXTURE_2D);
    set_default_filtering();
    upload_rgb(normals.pixels.data(), normals.width, normals.height, compress_textures);
}

std::vector<uint8_t> GraphicsContext::load_jpeg_pixels(const std::string& file_name, int& width,
                                                       int& height) {
    JpegLoadResult loaded = load_jpeg_cube_face(file_name.c_str());
    if (loaded.status != JpegLoadStatus::ok) {
        width = height = 0;
        fail_texture(file_name, "Jpg !");
        return {};
    }
    width = loaded.image.width;
    height = loaded.image.height;
    return std::move(loaded.image.pixels);
}

void GraphicsContext::load_cube_map(const std::string files[6], int slot) {
    const int index = writable_index(slot);
    if (index < 0) return;
    glEnable(GL_TEXTURE_CUBE_MAP);
    // Cube faces are tightly packed RGB; the show leaves this alignment in place afterwards.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    store_new_texture(index, GL_TEXTURE_CUBE_MAP);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_GENERATE_MIPMAP, GL_TRUE);
    for (int face = 0; face < 6; ++face) {
        int width = 0, height = 0;
        const std::vector<uint8_t> pixels = load_jpeg_pixels(files[face], width, height);
        if (pixels.empty()) break;
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGB8, width, height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, pixels.data());
    }
    glDisable(GL_TEXTURE_CUBE_MAP);
}
