#pragma once
// The CPU half of texture creation: every pixel buffer the texture creators upload is made here,
// so the byte layout of each texture can be checked without a GL context.
//
// Buffers are tightly packed rows of 3-byte RGB pixels (4 bytes RGBA for random_pixels), in the
// row order the GL expects for a lower-left origin unless a function says otherwise. Generated
// contents draw from the RandomGenerator passed in (the show passes show_random()), in exactly the
// order documented, so a reseeded generator gives the same texture on every run.
#include <cstdint>
#include <vector>

#include "core/random.h"

// An RGB image, 3 bytes per pixel, rows bottom-up (the image's last row first).
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 3 bytes
};

// What went wrong while reading a JPEG file; each has its own message-box caption upstream.
enum class JpegLoadStatus {
    ok,
    cannot_open,  // the file could not be opened for reading
    undecodable,  // the decoder refused or failed on the file; error_code holds its code
};

struct JpegLoadResult {
    JpegLoadStatus status = JpegLoadStatus::ok;
    int error_code = 0;  // the decoder's negative code when status is undecodable
    RgbImage image;      // filled only when status is ok
};

// Decodes a JPEG file with the show's decoder (SIMD on) into bottom-up RGB: image row r becomes
// buffer row height-1-r. Greyscale images are expanded by repeating the grey value in R, G and B.
JpegLoadResult load_jpeg_rgb(const char* file_name);

// The cube-face buffer: like load_jpeg_rgb, with every row also mirrored (source column x goes to
// column width-1-x), which turns the top-down image by 180 degrees.
JpegLoadResult load_jpeg_cube_face(const char* file_name);

// Tangent-space normal map of a height image given and returned bottom-up. The height is the red
// channel / 255; neighbours wrap around all four edges; with y counted from the top,
//   sx = (TR + 2R + BR) - (TL + 2L + BL),  sy = (TL + 2T + TR) - (BL + 2B + BR),
//   n = (-sx, -sy, 1) / sqrt(sx^2 + sy^2 + 1),  byte = (int)((c + 1) * 0.5 * 255)  (truncated).
// All of it is computed in single precision. A flat image gives (127, 127, 255) everywhere.
RgbImage compute_normal_map(const RgbImage& height_map);

// The 8x8 RGB placeholder pattern, 192 bytes: byte i is 255 when i < 8, i > 184 or i % 8 == 0,
// otherwise random % 200 + 50. Only the non-255 bytes draw, in byte order.
std::vector<uint8_t> grid_pixels(RandomGenerator& random);

// width * height RGB bytes for the noise texture, filled column by column: for x from 0, for y
// from 0, the R, G, B bytes of pixel (x, y) (at (y * width + x) * 3) take the low 8 bits of the
// next three draws.
std::vector<uint8_t> noise_pixels(int width, int height, RandomGenerator& random);

// width * height RGBA bytes for the random texture, in buffer order, each draw % 255 (0..254).
std::vector<uint8_t> random_pixels(int width, int height, RandomGenerator& random);
