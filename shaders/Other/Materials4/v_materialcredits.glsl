#version 120
// Flat credits lettering: the lettering's blocks as they are.
#include "material_vertex.glsl"

void main() { emit_material_vertex(gl_Vertex); }
