#include "core/file_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

TEST(FileIo, RoundTripsBinaryBytesThroughNewFolders) {
    auto dir =
        std::filesystem::temp_directory_path() / ("brinefall_file_io_test_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::string bytes("a\0b\xff\n", 5);
    ASSERT_TRUE(write_file((dir / "x" / "y.bin").string(), bytes));
    auto back = read_file((dir / "x" / "y.bin").string());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, bytes);
    std::filesystem::remove_all(dir);
}

TEST(FileIo, MissingFileGivesNothing) { EXPECT_FALSE(read_file("/nonexistent/brinefall/file").has_value()); }
