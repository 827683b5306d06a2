#version 120
// Houses: PosX shifts the row along x; interpolate (0..1) unfolds them from flat.
uniform float PosX;
uniform float interpolate;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    vertex.y *= clamp(interpolate, 0.0, 1.0);
    vertex.x += PosX;
    emit_material_vertex(vertex);
}
