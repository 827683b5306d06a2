// brinefall-tool obj [--alternate] FILE: what the show's mesh loader makes of an OBJ file.
// brinefall-tool obj --bench N FILE: the loader's throughput over N loads.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "render/mesh.h"
#include "tools/inspect/commands.h"
#include "tools/inspect/json.h"

namespace {

int bench(int loads, const std::string& file) {
    std::error_code error;
    const auto bytes = std::filesystem::file_size(file, error);
    if (error || loads <= 0) {
        std::printf("error cannot read %s\n", file.c_str());
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < loads; ++i) {
        Mesh mesh;
        mesh.alternate_file = false;
        if (!mesh.load(file, false)) {
            std::printf("error cannot read %s\n", file.c_str());
            return 2;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("MB/s %.2f\n", static_cast<double>(bytes) * loads / 1e6 / seconds);
    return 0;
}

}  // namespace

int run_obj(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[0], "--bench") == 0) return bench(std::atoi(argv[1]), argv[2]);
    const bool alternate = argc == 2 && std::strcmp(argv[0], "--alternate") == 0;
    if (argc != 1 && !alternate) {
        std::printf("error usage: obj [--alternate] FILE | obj --bench N FILE\n");
        return 2;
    }
    const std::string file = argv[argc - 1];
    Mesh mesh;
    mesh.alternate_file = alternate;
    if (!mesh.load(file, false)) {
        std::printf("error cannot read %s\n", (alternate ? file + "t" : file).c_str());
        return 2;
    }
    const std::vector<long long> objects(mesh.object_boundaries.begin(), mesh.object_boundaries.end());
    JsonLine()
        .field("positions", static_cast<long long>(mesh.position_count))
        .field("texcoords", static_cast<long long>(mesh.texcoord_count))
        .field("normals", static_cast<long long>(mesh.normal_count))
        .field("triangles", static_cast<long long>(mesh.triangle_count))
        .field("objects", std::span<const long long>(objects))
        .field("batches", static_cast<long long>(mesh.batch_count))
        .field("materials", static_cast<long long>(mesh.material_count))
        .field("unique_vertices", static_cast<long long>(mesh.vertices.size()))
        .field("bbox_min", std::span<const float>(mesh.bbox_min))
        .field("bbox_max", std::span<const float>(mesh.bbox_max))
        .print();
    return 0;
}
