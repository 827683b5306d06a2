#version 120
// The crowd, the ants at the end, the columns, the forks and the paper houses.
//   ShadowMat  eye space to the lamp's depth-texture coordinates
//   IsMan      1 for the figures and ants cut from black card; 0 for white card buildings
uniform mat4 ShadowMat;
uniform float IsMan;
#define PAPER_VERTEX
#include "middle_paper.glsl"

void main() {
    emit_paper_vertex(gl_Vertex, ShadowMat);
}
