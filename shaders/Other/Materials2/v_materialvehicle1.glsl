#version 120
// Toy vehicles, wires, pavement plates and runners.
uniform float ttime;
#include "toys_vertex.glsl"

void main() {
    emit_toys_vertex(gl_Vertex, gl_Normal);
}
