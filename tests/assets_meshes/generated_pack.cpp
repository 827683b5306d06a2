#include "tests/assets_meshes/generated_pack.h"

#include "core/file_io.h"
#include "tools/assets/generators.h"

#include <unistd.h>

int generate_into(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    Pack pack(folder, false);
    add_meshes(pack);
    add_motions(pack);
    add_shake_track(pack);
    return pack.failures() == 0 ? pack.files() : -1;
}

namespace {

// Generated on first use, removed when the test program ends.
struct ScratchPack {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("brinefall-meshes-" + std::to_string(getpid()));
    ScratchPack() {
        std::filesystem::remove_all(folder);
        generate_into(folder);
    }
    ~ScratchPack() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

}  // namespace

const std::filesystem::path& generated_pack() {
    static const ScratchPack pack;
    return pack.folder;
}

std::string generated_file(const std::string& name) {
    return read_file((generated_pack() / name).string()).value_or(std::string());
}
