// A fuzz target's committed corpus fed to its entry point in the ordinary test build: every seed
// and every input that once found a fault must still go through without a crash or one of the
// target's own checks failing (they abort). The sanitizer build runs these too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

TEST(CorpusReplay, BRINEFALL_FUZZ_TARGET) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(BRINEFALL_CORPUS))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no corpus in " << BRINEFALL_CORPUS;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        SCOPED_TRACE(file.filename().string());
        // libFuzzer hands an empty input a valid pointer too.
        static const uint8_t nothing = 0;
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.empty() ? &nothing : bytes.data(), bytes.size()), 0);
    }
}

}  // namespace
