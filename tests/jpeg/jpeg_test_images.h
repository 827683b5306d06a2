#pragma once
// Test JPEGs made with libjpeg, reference decodes with libturbojpeg, and the comparisons the
// decoder's tests, benchmarks and tools share.
#include <cstdint>
#include <string>
#include <vector>

#include "render/jpeg/jpeg_decoder.h"

struct EncodeOptions {
    int width = 64;
    int height = 48;
    int components = 3;          // 1 (grey) or 3 (YCbCr)
    int luma_h = 2, luma_v = 2;  // luminance sampling; chroma is always 1x1
    int quality = 90;
    bool progressive = false;
    bool optimize_huffman = false;  // per-image tables instead of the standard ones
    int restart_interval = 0;       // in MCUs
    bool separate_scans = false;    // sequential, one scan per component
    bool force_baseline = true;     // false lets low qualities use 16-bit tables (SOF1)
    bool ycc_input = false;         // pixels are already Y, Cb, Cr: no colour conversion
};

// Photograph-like content: smooth gradients, soft shapes and fine noise. Interleaved RGB or grey.
std::vector<uint8_t> make_test_pixels(int width, int height, int components, uint32_t seed = 1);

// Encodes pixels (as made above) with libjpeg.
std::string encode_jpeg(const std::vector<uint8_t>& pixels, const EncodeOptions& options);
std::string encode_test_jpeg(const EncodeOptions& options, uint32_t seed = 1);

struct DecodedImage {
    int error = 0;  // the decoder's error code
    int width = 0, height = 0, components = 0;
    std::vector<uint8_t> pixels;  // tightly packed RGB (colour) or grey, top row first
};

// The show's decoder over the bytes, every line pulled and repacked (4-byte pixels to RGB).
DecodedImage decode_with_show_decoder(const std::string& jpeg, bool use_simd = true);

// libturbojpeg's default decode, to RGB for colour and grey for greyscale.
DecodedImage decode_with_libjpeg_turbo(const std::string& jpeg);

// Peak signal-to-noise ratio in dB over all bytes; 99 for identical buffers.
double psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

// Offset of the first marker 0xFF `code` at or after `from`, or npos.
size_t find_marker(const std::string& jpeg, int code, size_t from = 0);

// A decoder over the bytes, kept with its stream.
struct DecoderOver {
    explicit DecoderOver(const std::string& bytes, bool use_simd = true)
        : stream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), decoder(&stream, use_simd) {}
    jpeg_decoder_memory_stream stream;
    jpeg_decoder decoder;
};
