// The generators' share of the asset pack: the manifest, and identical bytes on every run.
#include "core/file_io.h"
#include "tests/assets_meshes/generated_pack.h"
#include "tools/assets/generators.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

TEST(AssetPack, ManifestListsEveryFileTheScenesLoad) {
    // Every mesh the scenes load (read from the alternate file), the one read plainly, the
    // motion clips and the shake track.
    const char* meshes[] = {"seaplane",   "seafloor", "background2", "manymen",   "human4",   "human4coarse",
                            "fishbait22", "chess",    "vehicle1",    "vehicle2",  "vehicle3", "pavement",
                            "tree",       "ford",     "wires",       "labyrinth", "tank2",    "sea",
                            "thebridge",  "transf1",  "transf1a",    "transf3",   "box",      "cylinder2",
                            "obj1",       "ant",      "antcoarse",   "kolones",   "forks",    "circle",
                            "theplane",   "thelong",  "thecity1",    "tstar",     "sphere",   "bait3",
                            "faces",      "diver",    "Asm1",        "Asm2",      "tree3",    "bighouse2",
                            "wall",       "fish"};
    std::vector<std::string> expected;
    for (const char* m : meshes) expected.push_back(std::string("neomeshes//") + m + ".objt");
    expected.push_back("neomeshes//fishbait22.obj");
    for (const char* clip : {"run", "run2", "walk", "sit", "throw_R", "push"})
        expected.push_back(std::string("neomeshes//avatar_") + clip + ".bvh");
    expected.push_back("Other//try1.sav");

    testing::internal::CaptureStdout();
    Pack pack("unused", true);
    add_meshes(pack);
    add_motions(pack);
    add_shake_track(pack);
    std::fflush(stdout);
    std::string manifest = testing::internal::GetCapturedStdout();
    EXPECT_EQ(pack.files(), static_cast<int>(expected.size()));
    for (const std::string& name : expected) {
        size_t at = manifest.find(name + " ");
        ASSERT_NE(at, std::string::npos) << name;
        size_t end = manifest.find('\n', at);
        std::string line = manifest.substr(at + name.size(), end - at - name.size());
        EXPECT_GT(line.find_first_not_of(' '), 0u);
        EXPECT_GT(line.size(), 30u) << name << " has a description";
    }
}

TEST(AssetPack, GenerationIsByteIdenticalEveryRun) {
    auto again =
        std::filesystem::temp_directory_path() / ("brinefall-meshes-again-" + std::to_string(getpid()));
    std::filesystem::remove_all(again);
    int files = generate_into(again);
    ASSERT_GT(files, 0);
    int compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(generated_pack())) {
        if (!entry.is_regular_file()) continue;
        auto relative = std::filesystem::relative(entry.path(), generated_pack());
        auto first = read_file(entry.path().string()), second = read_file((again / relative).string());
        ASSERT_TRUE(first && second) << relative;
        EXPECT_TRUE(*first == *second) << relative << " differs between two runs";
        ++compared;
    }
    EXPECT_EQ(compared, files);
    std::filesystem::remove_all(again);
}
