// brinefall-tool obj [--alternate] FILE: what the show's mesh loader makes of an OBJ file.
// brinefall-tool obj --bench N FILE: the loader's throughput over N loads.
// A file that is not text (an image, binary data) is refused before the loader sees it.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "render/mesh.h"
#include "tools/inspect/commands.h"
#include "tools/inspect/input_checks.h"
#include "tools/inspect/json.h"

namespace {

// The reason `file` cannot be an OBJ mesh, or empty when it can be given to the loader.
std::string refusal(const std::string& file) {
    const auto bytes = read_file(file);
    if (!bytes) return "cannot read " + file;
    const std::string kind = non_text_kind(*bytes);
    return kind.empty() ? std::string() : file + " is " + kind + ", not an OBJ mesh";
}

int bench(const char* count, const std::string& file) {
    int loads = 0;
    if (!parse_count(count, loads))
        return report_error(std::string("bad count \"") + count + "\" for --bench: a whole number from 1 on");
    if (const std::string why = refusal(file); !why.empty()) return report_error(why);
    std::error_code error;
    const auto bytes = std::filesystem::file_size(file, error);
    if (error) return report_error("cannot read " + file);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < loads; ++i) {
        Mesh mesh;
        mesh.alternate_file = false;
        if (!mesh.load(file, false)) return report_error("cannot read " + file);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("MB/s %.2f\n", static_cast<double>(bytes) * loads / 1e6 / seconds);
    return 0;
}

}  // namespace

int run_obj(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[0], "--bench") == 0) return bench(argv[1], argv[2]);
    const bool alternate = argc == 2 && std::strcmp(argv[0], "--alternate") == 0;
    if (argc != 1 && !alternate) return report_error("usage: obj [--alternate] FILE | obj --bench N FILE");
    const std::string file = argv[argc - 1];
    // The alternate file is the one the loader reads.
    if (const std::string why = refusal(alternate ? file + "t" : file); !why.empty())
        return report_error(why);
    Mesh mesh;
    mesh.alternate_file = alternate;
    if (!mesh.load(file, false)) return report_error("cannot read " + (alternate ? file + "t" : file));
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
