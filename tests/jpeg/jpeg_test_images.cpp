#include "tests/jpeg/jpeg_test_images.h"

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <turbojpeg.h>

#include "core/random.h"
#include "render/jpeg/jpeg_decoder.h"

std::vector<uint8_t> make_test_pixels(int width, int height, int components, uint32_t seed) {
    RandomGenerator random(seed);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * components);
    const double cx = width * 0.6, cy = height * 0.4, radius = 0.3 * (width + height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
            const double d = std::hypot(x - cx, y - cy) / radius;
            const double blob = std::exp(-d * d * 4);
            const double ripple = 0.5 + 0.5 * std::sin(x * 0.05 + y * 0.03) * std::cos(y * 0.04);
            const double noise = (random.draw() % 25) - 12;
            const double channel[3] = {
                40 + 150 * u + 60 * blob + 10 * ripple + noise,
                60 + 100 * v + 80 * blob * ripple + noise,
                180 - 120 * u * v + 50 * ripple + noise,
            };
            for (int c = 0; c < components; ++c) {
                const double value =
                    components == 1 ? (channel[0] + channel[1] + channel[2]) / 3 : channel[c];
                pixels[(static_cast<size_t>(y) * width + x) * components + c] =
                    static_cast<uint8_t>(std::lround(std::fmin(255, std::fmax(0, value))));
            }
        }
    }
    return pixels;
}

namespace {
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};
void on_error(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
}  // namespace

std::string encode_jpeg(const std::vector<uint8_t>& pixels, const EncodeOptions& o) {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = on_error;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = o.width;
    info.image_height = o.height;
    info.input_components = o.components;
    info.in_color_space = o.components == 1 ? JCS_GRAYSCALE : o.ycc_input ? JCS_YCbCr : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, o.quality, o.force_baseline ? TRUE : FALSE);
    if (o.components == 3) {
        info.comp_info[0].h_samp_factor = o.luma_h;
        info.comp_info[0].v_samp_factor = o.luma_v;
        for (int c = 1; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    }
    info.optimize_coding = o.optimize_huffman ? TRUE : FALSE;
    info.restart_interval = o.restart_interval;
    if (o.progressive) jpeg_simple_progression(&info);
    jpeg_scan_info scans[4];
    if (o.separate_scans) {
        for (int c = 0; c < o.components; ++c) scans[c] = {1, {c, 0, 0, 0}, 0, 63, 0, 0};
        info.scan_info = scans;
        info.num_scans = o.components;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() +
                                            static_cast<size_t>(info.next_scanline) * o.width * o.components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string result(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return result;
}

std::string encode_test_jpeg(const EncodeOptions& options, uint32_t seed) {
    return encode_jpeg(make_test_pixels(options.width, options.height, options.components, seed), options);
}

DecodedImage decode_with_show_decoder(const std::string& jpeg, bool use_simd) {
    DecodedImage image;
    jpeg_decoder_memory_stream stream(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size());
    jpeg_decoder decoder(&stream, use_simd);
    if ((image.error = decoder.error_code()) != 0) return image;
    if (decoder.begin_decoding() != 0) {
        image.error = decoder.error_code();
        return image;
    }
    image.width = decoder.width();
    image.height = decoder.height();
    image.components = decoder.num_components();
    const int bpp = decoder.bytes_per_pixel();
    image.pixels.reserve(static_cast<size_t>(image.width) * image.height * image.components);
    for (int y = 0; y < image.height; ++y) {
        const void* line = nullptr;
        unsigned length = 0;
        if (decoder.decode(&line, &length) != 0) {
            image.error = decoder.error_code();
            return image;
        }
        const auto* p = static_cast<const uint8_t*>(line);
        for (int x = 0; x < image.width; ++x) {
            for (int c = 0; c < image.components; ++c) image.pixels.push_back(p[x * bpp + c]);
        }
    }
    return image;
}

DecodedImage decode_with_libjpeg_turbo(const std::string& jpeg) {
    DecodedImage image;
    tjhandle handle = tjInitDecompress();
    int subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size(),
                            &image.width, &image.height, &subsampling, &colorspace) != 0) {
        image.error = -1;
        tjDestroy(handle);
        return image;
    }
    image.components = colorspace == TJCS_GRAY ? 1 : 3;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * image.components);
    if (tjDecompress2(handle, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size(),
                      image.pixels.data(), image.width, 0, image.height,
                      image.components == 1 ? TJPF_GRAY : TJPF_RGB, 0) != 0)
        image.error = -1;
    tjDestroy(handle);
    return image;
}

double psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const double d = static_cast<double>(a[i]) - b[i];
        sum += d * d;
    }
    if (sum == 0) return 99;
    return 10 * std::log10(255.0 * 255.0 / (sum / a.size()));
}

size_t find_marker(const std::string& jpeg, int code, size_t from) {
    for (size_t i = from; i + 1 < jpeg.size(); ++i) {
        if (static_cast<uint8_t>(jpeg[i]) == 0xFF && static_cast<uint8_t>(jpeg[i + 1]) == code) return i;
    }
    return std::string::npos;
}
