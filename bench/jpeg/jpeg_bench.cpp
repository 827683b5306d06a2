// Decoding throughput of the show's decoder against libjpeg-turbo and stb_image, on a 1080p
// 4:2:0 baseline image, a 1080p progressive image and a 2048x2048 greyscale image, all made
// here with libjpeg from photograph-like content. Run: jpeg_bench (items/s are pixels/s).
#include <benchmark/benchmark.h>

#include <cstring>
#include <turbojpeg.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#include "stb_image.h"

#include "tests/jpeg/jpeg_test_images.h"

namespace {

struct TestImage {
    const char* name;
    std::string bytes;
    int width, height, components;
};

TestImage make(const char* name, int width, int height, int components, bool progressive) {
    EncodeOptions o;
    o.width = width;
    o.height = height;
    o.components = components;
    o.progressive = progressive;
    o.quality = 90;
    return {name, encode_test_jpeg(o, 2024), width, height, components};
}

const TestImage& image(int index) {
    static const TestImage images[] = {
        make("baseline_1080p_420", 1920, 1080, 3, false),
        make("progressive_1080p_420", 1920, 1080, 3, true),
        make("grey_2048", 2048, 2048, 1, false),
    };
    return images[index];
}

void finish(benchmark::State& state, const TestImage& img) {
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(img.width) * img.height);
    state.SetLabel(img.name);
}

void show_decoder(benchmark::State& state) {
    const TestImage& img = image(static_cast<int>(state.range(0)));
    std::vector<uint8_t> out(static_cast<size_t>(img.width) * img.height * (img.components == 3 ? 4 : 1));
    for (auto _ : state) {
        jpeg_decoder_memory_stream stream(reinterpret_cast<const uint8_t*>(img.bytes.data()),
                                          img.bytes.size());
        jpeg_decoder decoder(&stream, true);
        if (decoder.begin_decoding() != 0) state.SkipWithError("decode failed");
        uint8_t* dst = out.data();
        const void* line;
        unsigned length;
        while (decoder.decode(&line, &length) == 0) {
            std::memcpy(dst, line, length);
            dst += length;
        }
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, img);
}

void libjpeg_turbo(benchmark::State& state) {
    const TestImage& img = image(static_cast<int>(state.range(0)));
    std::vector<uint8_t> out(static_cast<size_t>(img.width) * img.height * img.components);
    tjhandle handle = tjInitDecompress();
    for (auto _ : state) {
        if (tjDecompress2(handle, reinterpret_cast<const unsigned char*>(img.bytes.data()), img.bytes.size(),
                          out.data(), img.width, 0, img.height, img.components == 3 ? TJPF_RGB : TJPF_GRAY,
                          0) != 0)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out.data());
    }
    tjDestroy(handle);
    finish(state, img);
}

void stb_image(benchmark::State& state) {
    const TestImage& img = image(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int w, h, n;
        stbi_uc* pixels =
            stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(img.bytes.data()),
                                  static_cast<int>(img.bytes.size()), &w, &h, &n, img.components);
        if (!pixels) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    finish(state, img);
}

}  // namespace

// Argument: 0 baseline 1080p 4:2:0, 1 progressive 1080p 4:2:0, 2 greyscale 2048x2048.
BENCHMARK(show_decoder)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(libjpeg_turbo)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(stb_image)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
