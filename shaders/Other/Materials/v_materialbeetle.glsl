#version 120
// Beetles crawling out: EasyIn (0..1) raises them from flat to full height.
uniform float EasyIn;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    vertex.y *= clamp(EasyIn, 0.0, 1.0);
    emit_material_vertex(vertex);
}
