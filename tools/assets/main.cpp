// brinefall-assets --out DIR [--list] | --shaders SRC --out DIR
// Writes the show directory from code: byte-identical output on every run.
#include "tools/assets/generators.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

struct Generator {
    const char* what;
    void (*run)(Pack&);
};

constexpr Generator kGenerators[] = {
    {"meshes", add_meshes},     {"motion clips", add_motions}, {"shake track", add_shake_track},
    {"pictures", add_pictures}, {"cut-outs", add_cutouts},     {"image sequence", add_image_sequence},
    {"music", add_music},
};

int usage() {
    std::fprintf(stderr,
                 "usage: brinefall-assets --out DIR [--list]\n"
                 "       brinefall-assets --shaders SRC --out DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out, shaders;
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--out") && i + 1 < argc)
            out = argv[++i];
        else if (!std::strcmp(argv[i], "--shaders") && i + 1 < argc)
            shaders = argv[++i];
        else if (!std::strcmp(argv[i], "--list"))
            listing = true;
        else
            return usage();
    }
    if (out.empty() && !listing) return usage();

    if (!listing) {
        std::error_code ec;
        std::filesystem::create_directories(out, ec);
    }
    Pack pack(out, listing);
    if (!shaders.empty()) return add_shaders(pack, shaders) && pack.failures() == 0 ? 0 : 1;

    auto start = std::chrono::steady_clock::now();
    for (const Generator& g : kGenerators) {
        auto t0 = std::chrono::steady_clock::now();
        g.run(pack);
        if (!listing) {
            double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            std::fprintf(stderr, "brinefall-assets: %-15s %6.2f s\n", g.what, s);
        }
    }
    if (!listing) {
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::fprintf(stderr, "brinefall-assets: %d files in %s, %.2f s\n", pack.files(), out.c_str(), s);
    }
    return pack.failures() == 0 ? 0 : 1;
}
