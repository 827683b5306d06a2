// Damaged files: truncation decodes as padding with every line delivered; corrupt entropy data
// ends in padding or an error code, never out of bounds (the fuzz build checks the memory side).
#include <gtest/gtest.h>

#include "core/random.h"
#include "tests/jpeg/jpeg_test_images.h"

namespace {

std::string sample(bool progressive, int components, int restart_interval = 0) {
    return encode_test_jpeg({.width = 96,
                             .height = 80,
                             .components = components,
                             .progressive = progressive,
                             .restart_interval = restart_interval});
}

}  // namespace

TEST(JpegTruncation, EveryLineIsDeliveredFromATruncatedFile) {
    for (bool progressive : {false, true}) {
        for (int components : {1, 3}) {
            for (int restarts : {0, 3}) {
                const std::string file = sample(progressive, components, restarts);
                const size_t data = find_marker(file, 0xDA);
                for (double fraction : {0.0, 0.1, 0.5, 0.9, 0.999}) {
                    SCOPED_TRACE(testing::Message()
                                 << "progressive " << progressive << " components " << components
                                 << " restarts " << restarts << " cut at " << fraction);
                    const size_t cut = data + 20 + static_cast<size_t>((file.size() - data - 22) * fraction);
                    const DecodedImage image = decode_with_show_decoder(file.substr(0, cut));
                    EXPECT_EQ(image.error, 0);
                    EXPECT_EQ(image.pixels.size(), 96u * 80 * components);
                }
            }
        }
    }
}

TEST(JpegTruncation, LinesBeforeTheCutAreIntact) {
    const std::string file = sample(false, 3);
    const DecodedImage whole = decode_with_show_decoder(file);
    const DecodedImage cut = decode_with_show_decoder(file.substr(0, file.size() * 2 / 3));
    ASSERT_EQ(cut.error, 0);
    // The first MCU row (16 lines) is decoded from data well before the cut.
    const size_t band = 96 * 16 * 3;
    EXPECT_TRUE(std::equal(whole.pixels.begin(), whole.pixels.begin() + band, cut.pixels.begin()));
    EXPECT_NE(whole.pixels, cut.pixels);
}

TEST(JpegTruncation, HeaderCutShortIsAnErrorNotACrash) {
    const std::string file = sample(false, 3);
    const size_t data = find_marker(file, 0xDA);
    for (size_t cut = 0; cut <= data; cut += 3)
        EXPECT_NE(decode_with_show_decoder(file.substr(0, cut)).error, 0) << cut;
}

TEST(JpegTruncation, CorruptEntropyDataNeverEscapesTheDecoder) {
    // Random bytes written over the scan data: each file either decodes completely or stops
    // with the corrupt-data or restart code.
    for (bool progressive : {false, true}) {
        for (int restarts : {0, 2}) {
            const std::string file = sample(progressive, 3, restarts);
            const size_t data = find_marker(file, 0xDA) + 14;
            RandomGenerator random(7);
            for (int trial = 0; trial < 60; ++trial) {
                std::string damaged = file;
                for (int i = 0; i < 1 + trial % 8; ++i)
                    damaged[data + random.draw() % (damaged.size() - data - 2)] =
                        static_cast<char>(random.draw());
                const DecodedImage image = decode_with_show_decoder(damaged);
                if (image.error == 0) {
                    EXPECT_EQ(image.pixels.size(), 96u * 80 * 3);
                } else {
                    EXPECT_LE(image.error, -200);
                    EXPECT_GE(image.error, -233);
                }
            }
        }
    }
}
