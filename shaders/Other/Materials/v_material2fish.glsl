#version 120
// Reef fish: each swims with a body wave; PosY2 lifts the whole shoal (depth offset)
//   PosY2  vertical offset of the shoal in object units
uniform float PosY2;
uniform float ttime;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    vertex.x += 0.1 * sin(vertex.z * 3.0 - 8.0 * ttime) * clamp(0.5 - vertex.z, 0.0, 1.5);
    vertex.y -= PosY2;
    emit_material_vertex(vertex);
}
