#version 120
// Bubbles: spheres that wobble as they rise.
uniform float ttime;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    vertex.xyz *= 1.0 + 0.06 * sin(7.0 * ttime + vertex.y * 4.0);
    emit_material_vertex(vertex);
}
