// The OBJ reader on arbitrary text, both file forms: the first byte picks the plain reading or the
// alternate file's sign pattern, and whether normals are recomputed. Checks the invariants every
// caller relies on: indices name existing vertices, boundaries stay within the triangles.
// Run: obj_reader_fuzz fuzz/render/obj_corpus (seeds start with '0': plain reading, no recompute)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "render/mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    Mesh mesh;
    mesh.alternate_file = (data[0] & 1) != 0;
    const bool recompute = (data[0] & 2) != 0;
    mesh.read(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), recompute);
    for (uint32_t index : mesh.indices)
        if (index >= mesh.vertices.size()) std::abort();
    if (mesh.indices.size() != 3 * static_cast<std::size_t>(mesh.triangle_count)) std::abort();
    for (int boundary : mesh.object_boundaries)
        if (boundary < 0 || boundary > mesh.triangle_count) std::abort();
    if (mesh.object_boundaries.empty() || mesh.object_boundaries.back() != mesh.triangle_count) std::abort();
    return 0;
}
