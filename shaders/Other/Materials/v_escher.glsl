#version 120
// The crowd of little men that tile the floor like a print, each a copy of the same figure.
// The fixed-function matrices place each copy; ttime makes the rows sway.
uniform float ttime;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    // A slow sway that grows with height above the feet.
    vertex.x += 0.04 * vertex.y * sin(1.3 * ttime + 0.7 * gl_ModelViewMatrix[3].x);
    emit_material_vertex(vertex);
}
