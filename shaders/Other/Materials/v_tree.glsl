#version 120
// Trees (kelp in the water): the crown sways more than the trunk.
uniform float ttime;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    vertex.x += 0.05 * vertex.y * vertex.y * sin(0.9 * ttime + vertex.z);
    emit_material_vertex(vertex);
}
