// brinefall-tool path FILE: the camera-shake track as the show loads it — sample count and every
// position after the loop closing, as one JSON line.
// brinefall-tool path FILE --index T OFFSET: the sample index shown at scene time T.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "anim/camera_path.h"
#include "core/file_io.h"
#include "tools/inspect/commands.h"
#include "tools/inspect/json.h"

namespace {

// A command-line number, or false when the argument is not entirely one.
bool parse_number(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

}  // namespace

int run_path(int argc, char** argv) {
    const bool index = argc == 4 && std::strcmp(argv[1], "--index") == 0;
    if (argc != 1 && !index) return report_error("usage: path FILE [--index T OFFSET]");
    double t = 0.0, offset = 0.0;
    if (index && !(parse_number(argv[2], t) && parse_number(argv[3], offset)))
        return report_error("T and OFFSET must be numbers");
    const std::string file = argv[0];
    const auto bytes = read_file(file);
    if (!bytes) return report_error("cannot read " + file);
    CameraPath path;
    path.load_bytes(*bytes);

    if (index) {
        JsonLine().field("index", static_cast<long long>(path.sample_index(t, offset))).print();
        return 0;
    }
    std::string positions = "[";
    for (size_t i = 0; i < path.positions.size(); ++i) {
        const Vector3& p = path.positions[i];
        if (i) positions += ", ";
        positions +=
            "[" + JsonLine::number(p.x) + ", " + JsonLine::number(p.y) + ", " + JsonLine::number(p.z) + "]";
    }
    positions += "]";
    JsonLine().field("samples", static_cast<long long>(path.size())).raw("positions", positions).print();
    return 0;
}
