#pragma once
// A scene's meshes in load order, in batches, each followed by the loading screen's steps: the
// table form every scene's load reads its meshes from.
#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>

#include "render/graphics_context.h"
#include "render/mesh.h"

struct MeshFile {
    int index;                   // into the scene's meshes
    const char* file;
    bool alternate_file = true;  // read the ".objt" companion (mesh.h)
};

struct MeshFileBatch {
    std::initializer_list<MeshFile> meshes;
    std::initializer_list<double> progress_after;  // the loading screen's steps after the batch
};

template <std::size_t N>
void load_mesh_files(GraphicsContext& context, std::array<Mesh, N>& meshes, std::span<const MeshFileBatch> batches) {
    for (const MeshFileBatch& batch : batches) {
        for (const MeshFile& mesh : batch.meshes) {
            meshes[mesh.index].alternate_file = mesh.alternate_file;
            meshes[mesh.index].load(mesh.file, false);
        }
        for (double step : batch.progress_after) context.progress(step);
    }
}
