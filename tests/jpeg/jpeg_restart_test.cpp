// Restart intervals: markers in sequence decode, markers out of sequence are refused.
#include <gtest/gtest.h>

#include "tests/jpeg/jpeg_test_images.h"

namespace {

std::string with_restarts(bool progressive, int interval, int components = 3) {
    return encode_test_jpeg({.width = 70,
                             .height = 50,
                             .components = components,
                             .progressive = progressive,
                             .restart_interval = interval});
}

}  // namespace

TEST(JpegRestart, IntervalsDecodeLikeLibjpegTurbo) {
    for (bool progressive : {false, true}) {
        for (int interval : {1, 2, 7}) {
            for (int components : {1, 3}) {
                SCOPED_TRACE(testing::Message() << "progressive " << progressive << " interval " << interval);
                const std::string file = with_restarts(progressive, interval, components);
                ASSERT_NE(find_marker(file, 0xDD), std::string::npos);
                const DecodedImage ours = decode_with_show_decoder(file);
                ASSERT_EQ(ours.error, 0);
                EXPECT_GE(psnr(ours.pixels, decode_with_libjpeg_turbo(file).pixels), 40);
            }
        }
    }
}

TEST(JpegRestart, WrongSequenceNumberIsRefused) {
    for (bool progressive : {false, true}) {
        std::string file = with_restarts(progressive, 1);
        const size_t second = find_marker(file, 0xD1, find_marker(file, 0xDA));
        ASSERT_NE(second, std::string::npos);
        file[second + 1] = static_cast<char>(0xD5);
        EXPECT_EQ(decode_with_show_decoder(file).error, JPGD_BAD_RESTART_MARKER) << progressive;
    }
}

TEST(JpegRestart, MissingMarkerIsRefused) {
    std::string file = with_restarts(false, 2);
    const size_t first = find_marker(file, 0xD0, find_marker(file, 0xDA));
    ASSERT_NE(first, std::string::npos);
    file.erase(first, 2);
    EXPECT_EQ(decode_with_show_decoder(file).error, JPGD_BAD_RESTART_MARKER);
}

TEST(JpegRestart, MarkerIndicesWrapAfterSeven) {
    // 70x50 4:2:0 has 5x4 MCUs: interval 1 runs through RST0..RST7 twice and on to RST3.
    const std::string file = with_restarts(false, 1);
    EXPECT_NE(find_marker(file, 0xD7), std::string::npos);
    const DecodedImage ours = decode_with_show_decoder(file);
    EXPECT_EQ(ours.error, 0);
    EXPECT_EQ(ours.height, 50);
}
