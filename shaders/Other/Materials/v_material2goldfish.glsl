#version 120
// Goldfish: a slow tail wave.
uniform float ttime;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    vertex.x += 0.08 * sin(vertex.z * 2.5 - 5.0 * ttime) * clamp(0.4 - vertex.z, 0.0, 1.5);
    emit_material_vertex(vertex);
}
