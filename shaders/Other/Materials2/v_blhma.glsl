#version 120
// The transforming toys and their loose blocks.
uniform float ttime;
#include "toys_vertex.glsl"

void main() {
    emit_toys_vertex(gl_Vertex, gl_Normal);
}
