// The pixel buffers behind the texture creators: decoded JPEGs bottom-up, cube faces, normal
// maps and the generated contents.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "render/texture_pixels.h"
#include "tests/jpeg/jpeg_test_images.h"

namespace {

std::string write_temp(const std::string& name, const std::string& bytes) {
    const std::string path = testing::TempDir() + "/texture_pixels_" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string colour_file(int width, int height) {
    EncodeOptions o;
    o.width = width;
    o.height = height;
    return write_temp("colour.jpg", encode_test_jpeg(o));
}

RgbImage flat(int width, int height, uint8_t value) {
    return RgbImage{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3, value)};
}

const uint8_t* pixel(const RgbImage& image, int x, int buffer_row) {
    return image.pixels.data() + (static_cast<size_t>(buffer_row) * image.width + x) * 3;
}

}  // namespace

TEST(TexturePixels, JpegRowsAreStoredBottomUp) {
    const std::string path = colour_file(30, 20);
    const JpegLoadResult loaded = load_jpeg_rgb(path.c_str());
    ASSERT_EQ(loaded.status, JpegLoadStatus::ok);
    const DecodedImage top_down = decode_with_show_decoder(encode_test_jpeg([] {
        EncodeOptions o;
        o.width = 30;
        o.height = 20;
        return o;
    }()));
    ASSERT_EQ(loaded.image.width, 30);
    ASSERT_EQ(loaded.image.height, 20);
    for (int r = 0; r < 20; ++r) {
        EXPECT_TRUE(std::equal(top_down.pixels.begin() + r * 90, top_down.pixels.begin() + (r + 1) * 90,
                               loaded.image.pixels.begin() + (19 - r) * 90))
            << r;
    }
}

TEST(TexturePixels, GreyIsExpandedToRgb) {
    EncodeOptions o;
    o.width = 12;
    o.height = 9;
    o.components = 1;
    const std::string bytes = encode_test_jpeg(o);
    const JpegLoadResult loaded = load_jpeg_rgb(write_temp("grey.jpg", bytes).c_str());
    ASSERT_EQ(loaded.status, JpegLoadStatus::ok);
    const DecodedImage grey = decode_with_show_decoder(bytes);
    for (int r = 0; r < 9; ++r) {
        for (int x = 0; x < 12; ++x) {
            const uint8_t* p = pixel(loaded.image, x, 8 - r);
            const uint8_t g = grey.pixels[r * 12 + x];
            ASSERT_EQ(p[0], g);
            ASSERT_EQ(p[1], g);
            ASSERT_EQ(p[2], g);
        }
    }
}

TEST(TexturePixels, FailuresSayWhich) {
    const JpegLoadResult missing = load_jpeg_rgb((testing::TempDir() + "/no_such_picture.jpg").c_str());
    EXPECT_EQ(missing.status, JpegLoadStatus::cannot_open);
    const JpegLoadResult bad = load_jpeg_rgb(write_temp("bad.jpg", "not a jpeg").c_str());
    EXPECT_EQ(bad.status, JpegLoadStatus::undecodable);
    EXPECT_EQ(bad.error_code, JPGD_NOT_JPEG);
    EXPECT_EQ(load_jpeg_cube_face(write_temp("bad.jpg", "").c_str()).status, JpegLoadStatus::undecodable);
}

TEST(TexturePixels, CubeFaceIsTheImageTurnedBy180Degrees) {
    const std::string path = colour_file(7, 5);
    const JpegLoadResult face = load_jpeg_cube_face(path.c_str());
    ASSERT_EQ(face.status, JpegLoadStatus::ok);
    const DecodedImage top_down = decode_with_show_decoder(encode_test_jpeg([] {
        EncodeOptions o;
        o.width = 7;
        o.height = 5;
        return o;
    }()));
    const std::vector<uint8_t>& buffer = face.image.pixels;
    // The source's top-left pixel is the buffer's last, its bottom-right the buffer's first.
    EXPECT_TRUE(std::equal(top_down.pixels.begin(), top_down.pixels.begin() + 3, buffer.end() - 3));
    EXPECT_TRUE(std::equal(top_down.pixels.end() - 3, top_down.pixels.end(), buffer.begin()));
    for (int i = 0; i < 35; ++i) {
        ASSERT_TRUE(std::equal(top_down.pixels.begin() + i * 3, top_down.pixels.begin() + i * 3 + 3,
                               buffer.begin() + (34 - i) * 3));
    }
}

TEST(TexturePixels, NormalMapOfAFlatImage) {
    for (auto size : {std::pair{5, 4}, std::pair{1, 1}, std::pair{1, 6}, std::pair{3, 1}}) {
        const RgbImage normals = compute_normal_map(flat(size.first, size.second, 90));
        ASSERT_EQ(normals.pixels.size(), static_cast<size_t>(size.first) * size.second * 3);
        for (size_t i = 0; i < normals.pixels.size(); i += 3) {
            EXPECT_EQ(normals.pixels[i], 127);
            EXPECT_EQ(normals.pixels[i + 1], 127);
            EXPECT_EQ(normals.pixels[i + 2], 255);
        }
    }
}

TEST(TexturePixels, OnePixelWideImageWrapsOntoItself) {
    // Every horizontal neighbour is the pixel's own column, so sx = 0 whatever the rows hold;
    // with rows alternating in height, sy cancels too (T and B are equal).
    RgbImage column = flat(1, 4, 0);
    for (int r = 0; r < 4; ++r) column.pixels[r * 3] = r % 2 ? 255 : 0;
    const RgbImage normals = compute_normal_map(column);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(normals.pixels[r * 3], 127);
        EXPECT_EQ(normals.pixels[r * 3 + 1], 127);
        EXPECT_EQ(normals.pixels[r * 3 + 2], 255);
    }
}

TEST(TexturePixels, NormalMapSlopeAndWrap) {
    // Height rises to the right in a 4-wide image: 0, 85, 170, 255 (read as 0, 1/3, 2/3, 1).
    RgbImage ramp = flat(4, 3, 0);
    for (int r = 0; r < 3; ++r) {
        for (int x = 0; x < 4; ++x) ramp.pixels[(r * 4 + x) * 3] = static_cast<uint8_t>(85 * x);
    }
    const RgbImage normals = compute_normal_map(ramp);
    // Column 1: sx = 4 * (2/3 - 0) = 8/3; n = (-8/3, 0, 1) / sqrt(64/9 + 1).
    const double length = std::sqrt(64.0 / 9 + 1);
    const uint8_t* p = pixel(normals, 1, 1);
    EXPECT_EQ(p[0], static_cast<int>((-8.0 / 3 / length + 1) * 0.5 * 255));
    EXPECT_EQ(p[1], 127);
    EXPECT_EQ(p[2], static_cast<int>((1 / length + 1) * 0.5 * 255));
    // Column 0 wraps: its left neighbour is column 3 (height 1), so sx = 4 * (1/3 - 1) < 0.
    const uint8_t* edge = pixel(normals, 0, 1);
    EXPECT_GT(edge[0], 127);
    // Column 3 wraps the other way: right neighbour column 0 (0), left 2/3: sx = -8/3.
    const uint8_t* far_edge = pixel(normals, 3, 1);
    EXPECT_GT(far_edge[0], 127);
    EXPECT_EQ(far_edge[0], edge[0]);
}

TEST(TexturePixels, NormalMapRowsCountFromTheTop) {
    // Buffer rows are bottom-up; T is the row above in the picture. A picture whose top half is
    // high has sy = (T...) - (B...) > 0 on the boundary's lower side, so green is below 127 there.
    RgbImage picture = flat(2, 4, 0);
    for (int buffer_row = 2; buffer_row < 4; ++buffer_row) {  // picture rows 0 and 1
        for (int x = 0; x < 2; ++x) picture.pixels[(buffer_row * 2 + x) * 3] = 255;
    }
    const RgbImage normals = compute_normal_map(picture);
    // Picture rows 1 and 2 (buffer rows 2 and 1) have the high row above: green below 127.
    // Picture rows 0 and 3 wrap and have it below: green above 127.
    EXPECT_LT(pixel(normals, 0, 1)[1], 127);
    EXPECT_LT(pixel(normals, 0, 2)[1], 127);
    EXPECT_GT(pixel(normals, 0, 0)[1], 127);
    EXPECT_GT(pixel(normals, 0, 3)[1], 127);
}

TEST(TexturePixels, GridPattern) {
    RandomGenerator random(123456);
    RandomGenerator expected(123456);
    const std::vector<uint8_t> grid = grid_pixels(random);
    ASSERT_EQ(grid.size(), 192u);
    for (int i = 0; i < 192; ++i) {
        if (i < 8 || i > 184 || i % 8 == 0) {
            EXPECT_EQ(grid[i], 255) << i;
        } else {
            EXPECT_EQ(grid[i], expected.draw() % 200 + 50) << i;
        }
    }
    EXPECT_EQ(random.state(), expected.state());  // the 255 bytes draw nothing
}

TEST(TexturePixels, NoiseIsFilledColumnByColumn) {
    RandomGenerator random(5);
    RandomGenerator expected(5);
    const std::vector<uint8_t> noise = noise_pixels(3, 2, random);
    ASSERT_EQ(noise.size(), 18u);
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 2; ++y) {
            for (int c = 0; c < 3; ++c) EXPECT_EQ(noise[(y * 3 + x) * 3 + c], expected.draw() & 0xFF);
        }
    }
}

TEST(TexturePixels, RandomBytesAreBelow255InBufferOrder) {
    RandomGenerator random(11);
    RandomGenerator expected(11);
    const std::vector<uint8_t> bytes = random_pixels(16, 16, random);
    ASSERT_EQ(bytes.size(), 16u * 16 * 4);
    for (uint8_t b : bytes) ASSERT_EQ(b, expected.draw() % 255);
    EXPECT_TRUE(random_pixels(0, 5, random).empty());
}
