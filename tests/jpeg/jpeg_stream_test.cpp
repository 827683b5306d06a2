// The file stream's read contract.
#include <gtest/gtest.h>

#include <fstream>

#include "render/jpeg/jpeg_decoder_stream.h"

TEST(JpegFileStream, ReadsToTheEndThenReportsEndOfFile) {
    const std::string path = testing::TempDir() + "/jpeg_stream_bytes";
    std::ofstream(path, std::ios::binary) << "0123456789";
    jpeg_decoder_file_stream stream;
    uint8_t buffer[8];
    bool eof = false;
    EXPECT_EQ(stream.read(buffer, 8, eof), -1);  // nothing open
    ASSERT_TRUE(stream.open(path.c_str()));
    EXPECT_EQ(stream.read(buffer, 8, eof), 8);
    EXPECT_FALSE(eof);
    EXPECT_EQ(stream.read(buffer, 8, eof), 2);
    EXPECT_TRUE(eof);
    eof = false;
    EXPECT_EQ(stream.read(buffer, 8, eof), 0);
    EXPECT_TRUE(eof);
    // Reopening clears the flags.
    ASSERT_TRUE(stream.open(path.c_str()));
    eof = false;
    EXPECT_EQ(stream.read(buffer, 4, eof), 4);
    EXPECT_FALSE(eof);
    EXPECT_FALSE(stream.open((path + ".missing").c_str()));
    EXPECT_EQ(stream.read(buffer, 4, eof), -1);
}
