// Sequential images: the four luminance samplings, greyscale, extended sequential with 16-bit
// tables, images smaller than one MCU, and SIMD against scalar output.
#include <gtest/gtest.h>

#include "tests/jpeg/jpeg_test_images.h"

namespace {

struct Sampling {
    int components, h, v;
};

constexpr Sampling kSamplings[] = {{3, 1, 1}, {3, 2, 1}, {3, 1, 2}, {3, 2, 2}, {1, 1, 1}};

void expect_matches_reference(const std::string& file, double min_psnr = 40) {
    const DecodedImage reference = decode_with_libjpeg_turbo(file);
    ASSERT_EQ(reference.error, 0);
    const DecodedImage simd = decode_with_show_decoder(file, true);
    const DecodedImage scalar = decode_with_show_decoder(file, false);
    ASSERT_EQ(simd.error, 0);
    ASSERT_EQ(simd.width, reference.width);
    ASSERT_EQ(simd.height, reference.height);
    ASSERT_EQ(simd.components, reference.components);
    EXPECT_GE(psnr(simd.pixels, reference.pixels), min_psnr);
    EXPECT_EQ(simd.pixels, scalar.pixels);
}

}  // namespace

TEST(JpegBaseline, SamplingsMatchLibjpegTurbo) {
    for (const Sampling& s : kSamplings) {
        for (bool optimized : {false, true}) {
            SCOPED_TRACE(testing::Message() << s.components << " components " << s.h << "x" << s.v
                                            << " optimized " << optimized);
            EncodeOptions o;
            o.width = 203;
            o.height = 117;
            o.components = s.components;
            o.luma_h = s.h;
            o.luma_v = s.v;
            o.optimize_huffman = optimized;
            expect_matches_reference(encode_test_jpeg(o));
        }
    }
}

TEST(JpegBaseline, LineLayout) {
    EncodeOptions o;
    o.width = 37;
    o.height = 21;
    DecoderOver colour(encode_test_jpeg(o));
    ASSERT_EQ(colour.decoder.begin_decoding(), 0);
    EXPECT_EQ(colour.decoder.bytes_per_pixel(), 4);
    EXPECT_EQ(colour.decoder.bytes_per_scan_line(), 37 * 4);
    const void* line;
    unsigned length;
    int lines = 0;
    while (colour.decoder.decode(&line, &length) == 0) {
        EXPECT_EQ(length, 37u * 4);
        for (int x = 0; x < 37; ++x) ASSERT_EQ(static_cast<const uint8_t*>(line)[x * 4 + 3], 255);
        ++lines;
    }
    EXPECT_EQ(lines, 21);
    EXPECT_EQ(colour.decoder.decode(&line, &length), 1);
    EXPECT_EQ(colour.decoder.error_code(), 0);

    o.components = 1;
    DecoderOver grey(encode_test_jpeg(o));
    EXPECT_EQ(grey.decoder.num_components(), 1);
    EXPECT_EQ(grey.decoder.bytes_per_pixel(), 1);
    EXPECT_EQ(grey.decoder.bytes_per_scan_line(), 37);
    ASSERT_EQ(grey.decoder.decode(&line, &length), 0);  // decode starts decoding itself
    EXPECT_EQ(length, 37u);
}

TEST(JpegBaseline, ImagesSmallerThanOneMcu) {
    // Upsampling reads neighbours at the edges: one-pixel and odd sizes catch row and column
    // overruns (run under the sanitizers by the fuzz build too).
    const int sizes[][2] = {{1, 1}, {1, 17}, {17, 1}, {2, 2}, {3, 5}, {15, 15}, {16, 16}, {9, 31}};
    for (const auto& size : sizes) {
        for (const Sampling& s : kSamplings) {
            SCOPED_TRACE(testing::Message()
                         << size[0] << "x" << size[1] << " sampling " << s.h << "x" << s.v);
            EncodeOptions o;
            o.width = size[0];
            o.height = size[1];
            o.components = s.components;
            o.luma_h = s.h;
            o.luma_v = s.v;
            expect_matches_reference(encode_test_jpeg(o));
        }
    }
}

TEST(JpegBaseline, ExtendedSequentialWith16BitTables) {
    // Quality 1 without the baseline limit gives quantisers above 255: 16-bit DQT and SOF1.
    EncodeOptions o;
    o.width = 64;
    o.height = 40;
    o.quality = 1;
    o.force_baseline = false;
    const std::string file = encode_test_jpeg(o);
    ASSERT_NE(find_marker(file, 0xC1), std::string::npos);
    expect_matches_reference(file);
}

TEST(JpegBaseline, OneScanPerComponent) {
    EncodeOptions o;
    o.width = 50;
    o.height = 30;
    o.separate_scans = true;
    for (int luma : {1, 2}) {
        o.luma_h = o.luma_v = luma;
        expect_matches_reference(encode_test_jpeg(o));
    }
}

TEST(JpegBaseline, DequantisationOverflowIsSaturated) {
    // Quantisers of 65535 on every coefficient multiply even small values far past 16 bits;
    // the products saturate, the output stays the same with and without SIMD, and nothing
    // overflows (the fuzz build runs this under UBSan).
    EncodeOptions o;
    o.width = 24;
    o.height = 16;
    o.quality = 1;
    o.force_baseline = false;
    std::string file = encode_test_jpeg(o);
    for (size_t at = find_marker(file, 0xDB); at != std::string::npos; at = find_marker(file, 0xDB, at + 2)) {
        const int length = (static_cast<uint8_t>(file[at + 2]) << 8) | static_cast<uint8_t>(file[at + 3]);
        for (size_t table = at + 4; table < at + 2 + length;) {
            const bool wide = (file[table] & 0xF0) != 0;
            for (int k = 0; k < 64; ++k) {
                if (wide) {
                    file[table + 1 + 2 * k] = '\xFF';
                    file[table + 2 + 2 * k] = '\xFF';
                } else {
                    file[table + 1 + k] = '\xFF';
                }
            }
            table += wide ? 129 : 65;
        }
    }
    const DecodedImage simd = decode_with_show_decoder(file, true);
    const DecodedImage scalar = decode_with_show_decoder(file, false);
    ASSERT_EQ(simd.error, 0);
    EXPECT_EQ(simd.pixels, scalar.pixels);
}
