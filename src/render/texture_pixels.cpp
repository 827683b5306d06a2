#include "render/texture_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/jpeg/jpeg_decoder.h"

namespace {

// Decodes into bottom-up RGB; `mirror` also reverses every row (the cube-face layout).
JpegLoadResult load_rgb(const char* file_name, bool mirror) {
    JpegLoadResult result;
    jpeg_decoder_file_stream stream;
    if (!stream.open(file_name)) {
        result.status = JpegLoadStatus::cannot_open;
        return result;
    }
    jpeg_decoder decoder(&stream, true);
    if (decoder.error_code() != 0 || decoder.begin_decoding() != 0) {
        result.status = JpegLoadStatus::undecodable;
        result.error_code = decoder.error_code();
        return result;
    }
    const int width = decoder.width(), height = decoder.height();
    const int source_bytes = decoder.bytes_per_pixel();
    RgbImage& image = result.image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height * 3);
    for (int r = 0; r < height; ++r) {
        const void* line = nullptr;
        unsigned length = 0;
        if (decoder.decode(&line, &length) != 0) {
            result = JpegLoadResult{JpegLoadStatus::undecodable, decoder.error_code(), {}};
            return result;
        }
        const auto* source = static_cast<const uint8_t*>(line);
        uint8_t* row = image.pixels.data() + static_cast<size_t>(height - 1 - r) * width * 3;
        for (int x = 0; x < width; ++x) {
            const uint8_t* s = source + x * source_bytes;
            uint8_t* d = row + (mirror ? width - 1 - x : x) * 3;
            if (source_bytes == 1) {
                d[0] = d[1] = d[2] = s[0];
            } else {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
        }
    }
    return result;
}

}  // namespace

JpegLoadResult load_jpeg_rgb(const char* file_name) { return load_rgb(file_name, false); }

JpegLoadResult load_jpeg_cube_face(const char* file_name) { return load_rgb(file_name, true); }

RgbImage compute_normal_map(const RgbImage& height_map) {
    const int w = height_map.width, h = height_map.height;
    RgbImage normals{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
    if (w <= 0 || h <= 0) return normals;
    // Row y counted from the top lives in buffer row h-1-y; the neighbours wrap on all sides.
    auto height_at = [&](int x, int y) {
        x = (x + w) % w;
        y = (y + h) % h;
        return height_map.pixels[(static_cast<size_t>(h - 1 - y) * w + x) * 3] / 255.0f;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float tl = height_at(x - 1, y - 1), t = height_at(x, y - 1), tr = height_at(x + 1, y - 1);
            const float l = height_at(x - 1, y), r = height_at(x + 1, y);
            const float bl = height_at(x - 1, y + 1), b = height_at(x, y + 1), br = height_at(x + 1, y + 1);
            const float sx = (tr + 2 * r + br) - (tl + 2 * l + bl);
            const float sy = (tl + 2 * t + tr) - (bl + 2 * b + br);
            const float length = std::sqrt(sx * sx + sy * sy + 1.0f);
            const float n[3] = {-sx / length, -sy / length, 1.0f / length};
            uint8_t* out = normals.pixels.data() + (static_cast<size_t>(h - 1 - y) * w + x) * 3;
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<uint8_t>(static_cast<int>((n[c] + 1.0f) * 0.5f * 255.0f));
        }
    }
    return normals;
}

std::vector<uint8_t> grid_pixels(RandomGenerator& random) {
    std::vector<uint8_t> pixels(192);
    for (int i = 0; i < 192; ++i)
        pixels[i] = (i < 8 || i > 184 || i % 8 == 0) ? 255 : static_cast<uint8_t>(random.draw() % 200 + 50);
    return pixels;
}

std::vector<uint8_t> noise_pixels(int width, int height, RandomGenerator& random) {
    std::vector<uint8_t> pixels(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0) * 3);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            uint8_t* p = pixels.data() + (static_cast<size_t>(y) * width + x) * 3;
            for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(random.draw() & 0xFF);
        }
    }
    return pixels;
}

std::vector<uint8_t> random_pixels(int width, int height, RandomGenerator& random) {
    std::vector<uint8_t> pixels(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0) * 4);
    for (uint8_t& p : pixels) p = static_cast<uint8_t>(random.draw() % 255);
    return pixels;
}
