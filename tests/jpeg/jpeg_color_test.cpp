// The JFIF colour constants end to end, and the SIMD paths against the scalar ones.
#include <gtest/gtest.h>

#include "core/random.h"
#include "render/jpeg/jpeg_color.h"
#include "render/jpeg/jpeg_idct.h"
#include "tests/jpeg/jpeg_test_images.h"

namespace {

// A flat 16x16 4:4:4 image of one Y, Cb, Cr value, coded without colour conversion at quality
// 100 (all quantisers 1), so the decoder sees exactly these samples.
std::array<uint8_t, 3> decode_flat(uint8_t y, uint8_t cb, uint8_t cr) {
    EncodeOptions o;
    o.width = o.height = 16;
    o.luma_h = o.luma_v = 1;
    o.quality = 100;
    o.ycc_input = true;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16 * 16; ++i) pixels.insert(pixels.end(), {y, cb, cr});
    const DecodedImage image = decode_with_show_decoder(encode_jpeg(pixels, o));
    EXPECT_EQ(image.error, 0);
    return {image.pixels[0], image.pixels[1], image.pixels[2]};
}

}  // namespace

TEST(JpegColour, FixedPointConstants) {
    // Worked by hand: Cr - 128 = 72, Cb - 128 = 22.
    //   R = 100 + (91882*72 + 32768) >> 16 = 100 + 101
    //   G = 100 + (-46802*72 - 22554*22 + 32768) >> 16 = 100 - 59
    //   B = 100 + (116130*22 + 32768) >> 16 = 100 + 39
    EXPECT_EQ(decode_flat(100, 150, 200), (std::array<uint8_t, 3>{201, 41, 139}));
    EXPECT_EQ(decode_flat(128, 128, 128), (std::array<uint8_t, 3>{128, 128, 128}));
    // Clamped at both ends.
    EXPECT_EQ(decode_flat(250, 255, 255), (std::array<uint8_t, 3>{255, 116, 255}));
    EXPECT_EQ(decode_flat(5, 0, 0), (std::array<uint8_t, 3>{0, 140, 0}));
}

TEST(JpegColour, Sse2ConversionEqualsScalarForEverySample) {
    // All 65536 (Cb, Cr) pairs at several luma levels, in runs long enough for the vector loop.
    std::vector<uint8_t> y(65536), cb(65536), cr(65536);
    for (int luma : {0, 1, 77, 128, 200, 254, 255}) {
        for (int i = 0; i < 65536; ++i) {
            y[i] = static_cast<uint8_t>(luma);
            cb[i] = static_cast<uint8_t>(i & 255);
            cr[i] = static_cast<uint8_t>(i >> 8);
        }
        std::vector<uint8_t> scalar(65536 * 4), simd(65536 * 4);
        ycc_to_rgbx_scalar(y.data(), cb.data(), cr.data(), scalar.data(), 65536);
        ycc_to_rgbx_sse2(y.data(), cb.data(), cr.data(), simd.data(), 65536);
        ASSERT_EQ(scalar, simd) << luma;
    }
}

TEST(JpegColour, Sse2IdctEqualsScalar) {
    RandomGenerator random(99);
    alignas(16) int16_t block[64];
    uint8_t scalar[8 * 8], simd[8 * 8];
    for (int trial = 0; trial < 20000; ++trial) {
        // Small realistic blocks, sparse ones, and extreme values that saturate the first pass.
        const int kind = trial % 3;
        for (int k = 0; k < 64; ++k) {
            int v = 0;
            if (kind == 0) v = (random.draw() % 512) - 256;
            if (kind == 1 && random.draw() % 6 == 0) v = (random.draw() % 4096) - 2048;
            if (kind == 2) v = random.draw() % 2 ? 32767 - random.draw() % 4 : -32768 + random.draw() % 4;
            block[k] = static_cast<int16_t>(v);
        }
        idct_8x8_scalar(block, scalar, 8);
        idct_8x8_sse2(block, simd, 8);
        ASSERT_TRUE(std::equal(scalar, scalar + 64, simd)) << trial;
    }
}

TEST(JpegColour, DcOnlyShortcutEqualsFullTransform) {
    alignas(16) int16_t block[64] = {};
    uint8_t full[64], shortcut[64];
    for (int dc = -32768; dc <= 32767; dc += 7) {
        block[0] = static_cast<int16_t>(dc);
        idct_8x8_scalar(block, full, 8);
        idct_8x8_dc_only(static_cast<int16_t>(dc), shortcut, 8);
        ASSERT_TRUE(std::equal(full, full + 64, shortcut)) << dc;
    }
}

TEST(JpegColour, Sse2UpsamplingEqualsScalar) {
    RandomGenerator random(3);
    for (int count : {1, 2, 7, 8, 9, 16, 17, 33, 960}) {
        std::vector<uint8_t> near(count), far(count);
        for (int i = 0; i < count; ++i) {
            near[i] = static_cast<uint8_t>(random.draw());
            far[i] = static_cast<uint8_t>(random.draw());
        }
        std::vector<int16_t> scratch(count + 2);
        std::vector<uint8_t> scalar(2 * count), simd(2 * count);
        upsample_h2v2(near.data(), far.data(), count, scratch.data(), scalar.data(), false);
        upsample_h2v2(near.data(), far.data(), count, scratch.data(), simd.data(), true);
        ASSERT_EQ(scalar, simd) << count;
        upsample_h2(near.data(), count, scratch.data(), scalar.data(), false);
        upsample_h2(near.data(), count, scratch.data(), simd.data(), true);
        ASSERT_EQ(scalar, simd) << count;
    }
    // Edges repeat the outermost sample: a two-sample row 0, 255 gives 0, 64, 191, 255.
    const uint8_t row[2] = {0, 255};
    int16_t scratch[4];
    uint8_t out[4];
    upsample_h2(row, 2, scratch, out, true);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{0, 64, 191, 255}));
}
