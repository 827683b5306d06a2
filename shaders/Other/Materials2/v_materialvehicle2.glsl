#version 120
// The tank section: the tank and the maze.
uniform float ttime;
#include "toys_vertex.glsl"

void main() {
    emit_toys_vertex(gl_Vertex, gl_Normal);
}
