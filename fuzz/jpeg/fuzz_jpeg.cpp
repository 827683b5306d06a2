// The whole decode of arbitrary bytes, with and without SIMD: any crash, sanitizer report, hang
// or difference between the two paths is a finding.
// Run: fuzz_jpeg fuzz/jpeg/corpus -max_len=65536
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "render/jpeg/jpeg_decoder.h"

namespace {

// Big frames only cost time here; their header handling is still exercised.
constexpr long max_pixels = 1024L * 1024L;

std::vector<uint8_t> decode_all(const uint8_t* data, size_t size, bool use_simd, int& error) {
    std::vector<uint8_t> out;
    jpeg_decoder_memory_stream stream(data, size);
    jpeg_decoder decoder(&stream, use_simd);
    error = decoder.error_code();
    if (error != 0) return out;
    if (static_cast<long>(decoder.width()) * decoder.height() > max_pixels) return out;
    if (decoder.begin_decoding() != 0) {
        error = decoder.error_code();
        return out;
    }
    for (int y = 0; y < decoder.height(); ++y) {
        const void* line = nullptr;
        unsigned length = 0;
        if (decoder.decode(&line, &length) != 0) {
            error = decoder.error_code();
            return out;
        }
        if (length != static_cast<unsigned>(decoder.bytes_per_scan_line())) std::abort();
        const auto* bytes = static_cast<const uint8_t*>(line);
        out.insert(out.end(), bytes, bytes + length);
    }
    const void* line = nullptr;
    unsigned length = 0;
    if (decoder.decode(&line, &length) != 1) std::abort();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int simd_error = 0, scalar_error = 0;
    const std::vector<uint8_t> simd = decode_all(data, size, true, simd_error);
    const std::vector<uint8_t> scalar = decode_all(data, size, false, scalar_error);
    if (simd_error != scalar_error || simd != scalar) std::abort();
    return 0;
}
