#include "tests/support/test_figure.h"

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "core/file_io.h"

std::unique_ptr<body> three_joint_figure(const std::string& file_name, const std::string& frames) {
    const std::string path = (std::filesystem::temp_directory_path() / file_name).string();
    const std::string clip =
        "ROOT abdomen { OFFSET 0 0 0 CHANNELS 1 Zrotation JOINT chest { OFFSET 0 1 0 CHANNELS 1 Zrotation "
        "JOINT head { OFFSET 0 1 0 CHANNELS 1 Zrotation End Site { OFFSET 0 1 0 } } } } "
        "MOTION Frames: 2 Frame Time: 0.1 " +
        frames;
    if (!write_file(path, clip)) return nullptr;
    testing::internal::CaptureStdout();
    auto figure = std::make_unique<body>(path);
    testing::internal::GetCapturedStdout();
    return figure;
}

std::string inward_wound_cubes(float half) {
    struct Face {
        int n[3], u[3], v[3];  // normal and two axes, u x v = n
    };
    constexpr Face faces[6] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                               {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                               {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
    constexpr int corners[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};  // clockwise from outside
    // A texture coordinate per face keeps the corners' normals apart (corners are shared by
    // position and texture coordinate).
    std::ostringstream obj;
    for (int face = 0; face < 6; ++face) obj << "vt " << face << " 0\n";
    int vertex = 0;
    for (int object = 0; object < 19; ++object) {
        obj << "o part" << object << "\n";
        for (int face = 0; face < 6; ++face) {
            const Face& f = faces[face];
            for (const auto& c : corners) {
                obj << "v";
                for (int k = 0; k < 3; ++k) obj << ' ' << half * (f.n[k] + c[0] * f.u[k] + c[1] * f.v[k]);
                obj << "\nvn " << f.n[0] << ' ' << f.n[1] << ' ' << f.n[2] << "\n";
            }
            const auto corner = [&](int k) {
                return std::to_string(vertex + k + 1) + "/" + std::to_string(face + 1) + "/" +
                       std::to_string(vertex + k + 1) + " ";
            };
            obj << "f " << corner(0) << corner(1) << corner(2) << "\n";
            obj << "f " << corner(0) << corner(2) << corner(3) << "\n";
            vertex += 4;
        }
    }
    return obj.str();
}
