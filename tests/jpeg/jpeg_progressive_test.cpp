// Progressive images: spectral selection and successive approximation scans.
#include <gtest/gtest.h>

#include "tests/jpeg/jpeg_test_images.h"

TEST(JpegProgressive, MatchesLibjpegTurbo) {
    const int samplings[][3] = {{3, 2, 2}, {3, 1, 1}, {3, 2, 1}, {3, 1, 2}, {1, 1, 1}};
    const int sizes[][2] = {{203, 117}, {1, 1}, {13, 7}};
    for (const auto& size : sizes) {
        for (const auto& s : samplings) {
            SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " " << s[0] << " components "
                                            << s[1] << "x" << s[2]);
            EncodeOptions o;
            o.width = size[0];
            o.height = size[1];
            o.components = s[0];
            o.luma_h = s[1];
            o.luma_v = s[2];
            o.progressive = true;
            const std::string file = encode_test_jpeg(o);
            ASSERT_NE(find_marker(file, 0xC2), std::string::npos);
            const DecodedImage reference = decode_with_libjpeg_turbo(file);
            const DecodedImage simd = decode_with_show_decoder(file, true);
            const DecodedImage scalar = decode_with_show_decoder(file, false);
            ASSERT_EQ(simd.error, 0);
            EXPECT_GE(psnr(simd.pixels, reference.pixels), 40);
            EXPECT_EQ(simd.pixels, scalar.pixels);
        }
    }
}

TEST(JpegProgressive, EveryLineFromTheFinishedCoefficients) {
    // All scans are read before the first line: the first line already has the refined detail,
    // so it equals the first line of the same picture coded sequentially at the same quality.
    EncodeOptions o;
    o.width = 64;
    o.height = 64;
    o.quality = 100;
    const DecodedImage sequential = decode_with_show_decoder(encode_test_jpeg(o));
    o.progressive = true;
    const DecodedImage progressive = decode_with_show_decoder(encode_test_jpeg(o));
    ASSERT_EQ(progressive.error, 0);
    EXPECT_EQ(progressive.pixels, sequential.pixels);
}
