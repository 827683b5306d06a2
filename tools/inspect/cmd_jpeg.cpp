// brinefall-tool jpeg IN.jpg OUT.pnm: decodes with the show's decoder to binary PPM (colour, P6)
// or PGM (grey, P5) and prints the image's properties as a JSON line; on a decoder error reports
// the decoder's code with its meaning and exits with 2.
// brinefall-tool jpeg --bench N IN.jpg: decodes N times and prints "MP/s <value>" last.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "render/jpeg/jpeg_decoder.h"
#include "tools/inspect/commands.h"
#include "tools/inspect/input_checks.h"
#include "tools/inspect/json.h"

namespace {

struct DecoderErrorMeaning {
    int code;
    const char* meaning;
};

constexpr DecoderErrorMeaning decoder_errors[] = {
    {JPGD_BAD_DHT_COUNTS, "a Huffman table's code-length counts add up to more than 255"},
    {JPGD_BAD_DHT_INDEX, "a Huffman table number beyond the four DC and four AC tables"},
    {JPGD_BAD_DHT_MARKER, "a Huffman table segment too short"},
    {JPGD_BAD_DQT_MARKER, "a quantisation table segment shorter than 2 bytes"},
    {JPGD_BAD_DQT_TABLE, "a quantisation table that does not fit its segment"},
    {JPGD_BAD_PRECISION, "a sample precision other than 8 bits"},
    {JPGD_BAD_HEIGHT, "a height outside 1..8192"},
    {JPGD_BAD_WIDTH, "a width outside 1..8192"},
    {JPGD_TOO_MANY_COMPONENTS, "more than 4 colour components"},
    {JPGD_BAD_SOF_LENGTH, "a frame header whose length does not match its components"},
    {JPGD_BAD_VARIABLE_MARKER, "a segment length below 2"},
    {JPGD_BAD_DRI_LENGTH, "a restart interval segment whose length is not 4"},
    {JPGD_BAD_SOS_LENGTH, "a scan header with a wrong length or component count"},
    {JPGD_BAD_SOS_COMP_ID, "a scan of a component the frame does not have"},
    {JPGD_NO_ARITHMETIC_SUPPORT, "arithmetic coding, which the decoder does not support"},
    {JPGD_UNEXPECTED_MARKER, "a marker where a segment was expected"},
    {JPGD_NOT_JPEG, "not a JPEG file (no start-of-image marker in its first 512 bytes)"},
    {JPGD_UNSUPPORTED_MARKER, "a frame type the decoder does not support"},
    {JPGD_BAD_DQT_LENGTH, "a quantisation table segment shorter than its table"},
    {JPGD_TOO_MANY_BLOCKS, "more blocks than the decoder's working memory holds"},
    {JPGD_UNDEFINED_QUANT_TABLE, "a scan component with an undefined quantisation table"},
    {JPGD_UNDEFINED_HUFF_TABLE, "a scan component with an undefined Huffman table"},
    {JPGD_UNSUPPORTED_COLORSPACE, "a component count or chroma sampling the decoder does not support"},
    {JPGD_UNSUPPORTED_SAMP_FACTORS, "luminance sampling other than 1x1, 2x1, 1x2 or 2x2"},
    {JPGD_DECODE_ERROR, "corrupt entropy-coded data"},
    {JPGD_BAD_RESTART_MARKER, "a restart marker out of sequence"},
    {JPGD_ASSERTION_ERROR, "an internal bound exceeded (corrupt data)"},
    {JPGD_BAD_SOS_SPECTRAL, "a bad spectral selection in a progressive scan"},
    {JPGD_BAD_SOS_SUCCESSIVE, "a bad successive approximation in a progressive scan"},
    {JPGD_STREAM_READ, "the file could not be read to its end"},
    {JPGD_NOTENOUGHMEM, "not enough memory"},
};

// "decoder error -217: not a JPEG file (...)" for `file`.
int report_decoder_error(const std::string& file, int code) {
    std::string message = file + ": decoder error " + std::to_string(code);
    for (const DecoderErrorMeaning& e : decoder_errors)
        if (e.code == code) return report_error(message + ": " + e.meaning);
    return report_error(message + " (a code the decoder does not document)");
}

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
        for (int x = 0; x < d.width; ++x)
            d.pixels.insert(d.pixels.end(), p + x * bpp, p + x * bpp + d.components);
    }
    return d;
}

int bench(const char* count_text, const char* file) {
    int count = 0;
    if (!parse_count(count_text, count))
        return report_error(std::string("bad count \"") + count_text +
                            "\" for --bench: a whole number from 1 on");
    const auto bytes = read_file(file);
    if (!bytes) return report_error(std::string("cannot read ") + file);
    long long pixels = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        const Decoded d = decode(*bytes, false);
        if (d.error != 0) return report_decoder_error(file, d.error);
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
    if (argc != 2) return report_error("usage: jpeg IN.jpg OUT.pnm | jpeg --bench N IN.jpg");
    const auto bytes = read_file(argv[0]);
    if (!bytes) return report_error(std::string("cannot read ") + argv[0]);
    const Decoded d = decode(*bytes, true);
    if (d.error != 0) return report_decoder_error(argv[0], d.error);
    std::string out = (d.components == 3 ? "P6\n" : "P5\n") + std::to_string(d.width) + " " +
                      std::to_string(d.height) + "\n255\n";
    out.append(reinterpret_cast<const char*>(d.pixels.data()), d.pixels.size());
    if (!write_file(argv[1], out)) return report_error(std::string("cannot write ") + argv[1]);
    JsonLine()
        .field("width", static_cast<long long>(d.width))
        .field("height", static_cast<long long>(d.height))
        .field("components", static_cast<long long>(d.components))
        .print();
    return 0;
}
