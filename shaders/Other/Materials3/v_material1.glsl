#version 120
// Paper and card of the middle scene: the stage, the city, the ropes' stars, the strands.
//   IsAnt  1 for the ants drawn with this material: their legs tremble a little
//   ttime  scene clock (s)
// The lamp's projector (texture unit 2) takes eye-space points.
uniform float IsAnt;
uniform float ttime;
#define PAPER_VERTEX
#include "middle_paper.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    vertex.y += IsAnt * 0.004 * sin(40.0 * ttime + 60.0 * vertex.z) * step(0.0, -vertex.y);
    emit_paper_vertex(vertex, gl_TextureMatrix[2]);
}
