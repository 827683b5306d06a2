#version 120
// The general material of the toys scene: the chess set, the figures.
#include "toys_vertex.glsl"

void main() {
    emit_toys_vertex(gl_Vertex, gl_Normal);
}
