#pragma once
// The catalogue of scene meshes: every OBJ file the scenes load, in the scenes' spelling, with
// the builder of its model. brinefall-assets writes each in the alternate ".objt" form the
// loader reads by default, and in the plain form as well where a scene clears the
// alternate-file flag before loading.
#include "tools/assets/meshes/model_kit.h"

#include <span>

struct MeshFile {
    const char* name;  // as the scenes spell it, without the alternate "t"
    const char* description;
    Model (*build)();
    bool plain;  // also written as plain OBJ
};

std::span<const MeshFile> mesh_catalogue();
