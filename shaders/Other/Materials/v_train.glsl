#version 120
// The train: carriages placed by the fixed-function matrices.

#include "material_vertex.glsl"

void main() {
    emit_material_vertex(gl_Vertex);
}
