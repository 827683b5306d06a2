// Throughput of the show's OBJ loader against tinyobjloader on the same generated ~60 MB file
// (positions, texture coordinates and normals, quad faces, 96 objects), and the extruder's CPU
// step on a 512 x 512 image like the middle scene's image sequence.
//
//   render_bench --benchmark_filter=Obj     (compare the two bytes_per_second figures)
#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "anim/contour_extruder.h"
#include "core/file_io.h"
#include "core/random.h"
#include "render/mesh.h"

namespace {

// 96 objects, each a wavy 62 x 62 grid of vertices with its own texture coordinates and normals,
// faces as quads in the p/t/n form: about 60 MB of text.
const std::string& obj_file() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "brinefall_bench_60mb.obj").string();
        if (std::filesystem::exists(file) && std::filesystem::file_size(file) > 50'000'000) return file;
        RandomGenerator random(42);
        std::string text;
        text.reserve(64'000'000);
        constexpr int kObjects = 96, kSide = 62;
        char line[160];
        int base = 0;
        for (int object = 0; object < kObjects; ++object) {
            std::snprintf(line, sizeof line, "o part%d\n", object);
            text += line;
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x) {
                    const double h =
                        std::sin(x * 0.3 + object) * std::cos(y * 0.2) + random.draw_unit() * 0.01;
                    std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\n", x * 0.1 + object * 7.0, h,
                                  y * 0.1);
                    text += line;
                }
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x) {
                    std::snprintf(line, sizeof line, "vt %.6f %.6f\n", x / double(kSide - 1),
                                  y / double(kSide - 1));
                    text += line;
                }
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x) {
                    const double nx = random.draw_unit() * 0.2 - 0.1, nz = random.draw_unit() * 0.2 - 0.1;
                    std::snprintf(line, sizeof line, "vn %.6f %.6f %.6f\n", nx,
                                  std::sqrt(1 - nx * nx - nz * nz), nz);
                    text += line;
                }
            for (int y = 0; y + 1 < kSide; ++y)
                for (int x = 0; x + 1 < kSide; ++x) {
                    const int a = base + y * kSide + x + 1, b = a + 1, c = a + kSide + 1, d = a + kSide;
                    std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, b, b,
                                  b, c, c, c, d, d, d);
                    text += line;
                }
            base += kSide * kSide;
        }
        write_file(file, text);
        return file;
    }();
    return path;
}

void ObjShowLoader(benchmark::State& state) {
    const std::string& file = obj_file();
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(file));
    for (auto _ : state) {
        Mesh mesh;
        mesh.alternate_file = false;
        if (!mesh.load(file, false)) state.SkipWithError("cannot read the generated file");
        benchmark::DoNotOptimize(mesh.vertices.data());
        state.counters["unique_vertices"] = static_cast<double>(mesh.vertices.size());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(ObjShowLoader)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void ObjTinyObjLoader(benchmark::State& state) {
    const std::string& file = obj_file();
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(file));
    for (auto _ : state) {
        tinyobj::attrib_t attrib;
        std::vector<tinyobj::shape_t> shapes;
        std::vector<tinyobj::material_t> materials;
        std::string warning, error;
        if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, file.c_str(), nullptr, true))
            state.SkipWithError("tinyobjloader failed");
        benchmark::DoNotOptimize(attrib.vertices.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(ObjTinyObjLoader)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// A 512 x 512 frame: a running figure's silhouette made of ellipses and limbs, with a mid-grey
// detail inside, so both passes find outlines.
void ExtrudeCpuStep(benchmark::State& state) {
    cv::Mat image(512, 512, CV_8UC1, cv::Scalar(0));
    cv::ellipse(image, {256, 150}, {40, 50}, 0, 0, 360, 255, cv::FILLED);
    cv::ellipse(image, {256, 280}, {70, 110}, 10, 0, 360, 255, cv::FILLED);
    cv::line(image, {230, 370}, {160, 480}, 255, 28);
    cv::line(image, {290, 370}, {350, 470}, 255, 28);
    cv::line(image, {210, 230}, {120, 300}, 255, 22);
    cv::line(image, {300, 230}, {400, 190}, 255, 22);
    cv::circle(image, {256, 280}, 30, 128, 8);
    ContourExtruder extruder;
    for (auto _ : state) {
        const ExtrusionGeometry geometry = extruder.build(image, 30.0, 100.0);
        benchmark::DoNotOptimize(geometry.cap_corners.data());
        state.counters["cap_triangles"] = geometry.cap_triangle_count();
    }
}
BENCHMARK(ExtrudeCpuStep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
