// brinefall-tool jpeg IN.jpg OUT.pnm: decodes with the show's decoder to binary PPM (colour, P6)
// or PGM (grey, P5) and prints the image's properties as a JSON line; on a decoder error prints
// "error <code>" and exits with 2.
// brinefall-tool jpeg --bench N IN.jpg: decodes N times and prints "MP/s <value>" last.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "render/jpeg/jpeg_decoder.h"
#include "tools/inspect/commands.h"
#include "tools/inspect/json.h"

namespace {

struct Decoded {
    int error = 0;
    int width = 0, height = 0, components = 0;
    std::vector<uint8_t> pixels;  // RGB or grey, top row first
};

Decoded decode(const std::string& bytes, bool keep_pixels) {
    Decoded d;
    jpeg_decoder_memory_stream stream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    jpeg_decoder decoder(&stream, true);
    if (decoder.error_code() != 0 || decoder.begin_decoding() != 0) {
        d.error = decoder.error_code();
        return d;
    }
    d.width = decoder.width();
    d.height = decoder.height();
    d.components = decoder.num_components() == 3 ? 3 : 1;
    const int bpp = decoder.bytes_per_pixel();
    if (keep_pixels) d.pixels.reserve(static_cast<size_t>(d.width) * d.height * d.components);
    for (int y = 0; y < d.height; ++y) {
        const void* line = nullptr;
        unsigned length = 0;
        if (decoder.decode(&line, &length) != 0) {
            d.error = decoder.error_code();
            return d;
        }
        if (!keep_pixels) continue;
        const auto* p = static_cast<const uint8_t*>(line);
        for (int x = 0; x < d.width; ++x) d.pixels.insert(d.pixels.end(), p + x * bpp, p + x * bpp + d.components);
    }
    return d;
}

int bench(const char* count_text, const char* file) {
    const int count = std::atoi(count_text);
    const auto bytes = read_file(file);
    if (!bytes || count <= 0) {
        std::printf("error cannot read %s\n", file);
        return 2;
    }
    long long pixels = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        const Decoded d = decode(*bytes, false);
        if (d.error != 0) {
            std::printf("error %d\n", d.error);
            return 2;
        }
        pixels += static_cast<long long>(d.width) * d.height;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("decodes %d\nseconds %.6f\n", count, seconds);
    std::printf("MP/s %.3f\n", pixels / 1e6 / seconds);
    return 0;
}

}  // namespace

int run_jpeg(int argc, char** argv) {
    if (argc == 3 && std::string(argv[0]) == "--bench") return bench(argv[1], argv[2]);
    if (argc != 2) {
        std::printf("error usage: jpeg IN.jpg OUT.pnm | jpeg --bench N IN.jpg\n");
        return 2;
    }
    const auto bytes = read_file(argv[0]);
    if (!bytes) {
        std::printf("error cannot read %s\n", argv[0]);
        return 2;
    }
    const Decoded d = decode(*bytes, true);
    if (d.error != 0) {
        std::printf("error %d\n", d.error);
        return 2;
    }
    std::string out = (d.components == 3 ? "P6\n" : "P5\n") + std::to_string(d.width) + " " +
                      std::to_string(d.height) + "\n255\n";
    out.append(reinterpret_cast<const char*>(d.pixels.data()), d.pixels.size());
    if (!write_file(argv[1], out)) {
        std::printf("error cannot write %s\n", argv[1]);
        return 2;
    }
    JsonLine().field("width", static_cast<long long>(d.width)).field("height", static_cast<long long>(d.height))
        .field("components", static_cast<long long>(d.components)).print();
    return 0;
}
