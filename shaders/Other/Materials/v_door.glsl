#version 120
// Doors: placed by the fixed-function matrices.

#include "material_vertex.glsl"

void main() {
    emit_material_vertex(gl_Vertex);
}
