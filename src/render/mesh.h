#pragma once
// A Wavefront OBJ mesh: de-duplicated 60-byte interleaved vertices, a triangle index list, and
// object ranges drawn by object number with client-side vertex arrays.
//
// Reading rules (whitespace-separated words; only a statement word's first characters count):
//   v / vn / vt   a position (x y z), normal (x y z) or texture coordinate (u v)
//   f             a face; its first vertex word fixes the form for the whole face:
//                 "p//n" if it contains "//", else "p/t/n", else "p/t", else "p". Further corners
//                 follow while they parse fully in that form (across line ends); the face is a
//                 fan (1, k-1, k). Index n > 0 is element n-1; n < 0 is element n + count - 1,
//                 count being the elements of that kind read so far. A triangle with any index
//                 outside what has been read is skipped.
//   o             starts an object at the current triangle count; the next word (its name) is
//                 discarded
//   u...          (usemtl) the first word of the rest of the line names the current material;
//                 unknown names select material 0
//   m...          (mtllib) adds one empty material slot; the library itself is not read
//   anything else the rest of the line (up to 255 characters) is skipped
// Without any m statement the single material is "default". The object boundaries end with the
// final triangle count, so a file without o statements has one boundary and no drawable object.
//
// The alternate file (the default) is the name with "t" appended; its positions are negated
// where the show's generator, seeded with 123456 at each load, draws an even number.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/box.h"

struct MeshVertex {
    float position[3];
    float texcoord[2];
    float normal[3];
    float tangent[3];
    float handedness;
    float bitangent[3];
};
static_assert(sizeof(MeshVertex) == 60, "the interleave stride is 60 bytes");

struct MeshMaterial {
    float ambient[4] = {};
    float diffuse[4] = {};
    float specular[4] = {};
    float scalar = 0.0f;
    float sort_key = 0.0f;
    std::string name;
    std::string texture_name;
    std::string second_texture_name;
};

// A run of consecutive triangles on one material.
struct MeshBatch {
    int first_index;  // 3 × first triangle
    int triangle_count;
    int material;
};

class Mesh {
public:
    // Reads the file (the alternate file when alternate_file is set); false if it cannot be
    // opened. Normals are recomputed when asked or when the file has none.
    bool load(const std::string& file_name, bool recompute_normals);
    // The reading and building steps of load on text already in memory.
    void read(std::string_view text, bool recompute_normals);
    // Object k, or every object when k is negative. Nothing before a successful load, and
    // nothing for k past the last object.
    void draw(int object) const;
    // How far the farthest corner of the box lies from the mesh's origin: however the mesh is
    // turned about its origin, it stays within that distance.
    float reach() const;
    // The box around object k's triangles, in the mesh's axes (empty for an object without any),
    // and an empty box for k past the last object.
    Box object_box(int object) const;

    std::vector<int> object_boundaries;
    std::vector<Box> object_boxes;  // one per object, built with the rest
    bool loaded = false;
    bool alternate_file = true;
    bool has_positions = false, has_texcoords = false, has_normals = false;
    int position_count = 0, texcoord_count = 0, normal_count = 0;
    int triangle_count = 0, batch_count = 0, material_count = 0;
    float bbox_centre[3] = {}, bbox_extent[3] = {};
    float bbox_largest = 0.0f;
    float bbox_min[3] = {}, bbox_max[3] = {};
    std::string directory;
    std::vector<MeshBatch> batches;
    std::vector<MeshMaterial> materials;
    std::unordered_map<std::string, int> material_index;
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;        // 3 per triangle
    std::vector<int> triangle_materials;  // 1 per triangle
    std::vector<float> raw_positions, raw_texcoords, raw_normals;
    // For each unique vertex, the raw position it was built from (the de-duplication key).
    std::vector<uint32_t> vertex_position;

private:
    void build_batches();
    void build_bbox();
    void compute_normals();
};
