#version 120
// The figures: one mesh object per joint, placed by the fixed-function matrix stack, with the
// front material the figure sets (warm ambient, diffuse and specular).
#include "material_vertex.glsl"

void main() { emit_material_vertex(gl_Vertex); }
