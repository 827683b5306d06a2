#include "tools/assets/meshes/obj_writer.h"

#include "core/random.h"

#include <cmath>
#include <cstdio>

namespace {

// Shortest text that reads back to the float the loader stores; tiny values become 0 so the
// files stay free of noise like 1e-17.
void append_number(std::string& out, double value, int digits) {
    if (std::fabs(value) < 5e-7) value = std::signbit(value) ? -0.0 : 0.0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    out += buffer;
}

}  // namespace

std::string write_obj(const Model& model, std::string_view comment, bool alternate) {
    std::string out;
    out.reserve(static_cast<size_t>(model.triangle_count()) * 120);
    out += "# ";
    out += comment.substr(0, 200);
    out += "\n";
    RandomGenerator signs(alternate_sign_seed);
    int base = 1;
    for (const Model::Object& object : model.objects) {
        out += "o ";
        out += object.name;
        out += "\n";
        for (const Vertex& v : object.shape.vertices) {
            double s = alternate && signs.draw() % 2 == 0 ? -1.0 : 1.0;
            out += "v ";
            append_number(out, s * v.position.x, 7);
            out += ' ';
            append_number(out, s * v.position.y, 7);
            out += ' ';
            append_number(out, s * v.position.z, 7);
            out += '\n';
        }
        for (const Vertex& v : object.shape.vertices) {
            out += "vt ";
            append_number(out, v.uv.x, 5);
            out += ' ';
            append_number(out, v.uv.y, 5);
            out += '\n';
        }
        for (const Vertex& v : object.shape.vertices) {
            out += "vn ";
            append_number(out, v.normal.x, 4);
            out += ' ';
            append_number(out, v.normal.y, 4);
            out += ' ';
            append_number(out, v.normal.z, 4);
            out += '\n';
        }
        for (const Polygon& p : object.shape.polygons) {
            out += 'f';
            for (int i = 0; i < p.count; ++i) {
                std::string index = std::to_string(base + p.corners[i]);
                out += ' ';
                out += index;
                out += '/';
                out += index;
                out += '/';
                out += index;
            }
            out += '\n';
        }
        base += static_cast<int>(object.shape.vertices.size());
    }
    return out;
}
