#version 120
// The turtle: its flippers (the far ends along x) beat with the clock.
//   multiplier  beat strength, 0 for a gliding turtle
uniform float multiplier;
uniform float ttime;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    float reach = max(abs(vertex.x) - 0.4, 0.0);
    vertex.y += multiplier * 0.35 * reach * sin(2.2 * ttime);
    emit_material_vertex(vertex);
}
