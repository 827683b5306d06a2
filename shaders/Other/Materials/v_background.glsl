#version 120
// The background landscape (and its depth-only twin): placed by the fixed-function matrices.
#include "material_vertex.glsl"

void main() { emit_material_vertex(gl_Vertex); }
