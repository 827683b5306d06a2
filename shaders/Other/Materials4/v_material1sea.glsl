#version 120
// The wet ground: the general material's water variant.
#include "material_vertex.glsl"
#include "night_vertex.glsl"

void main() {
    emit_material_vertex(gl_Vertex);
    emit_shadow_coord();
}
