#version 120
// Figures carried by a 1D table of positions (texture1d_pos, one RGBA texel per figure):
//   movement  0..1 how far along its path each figure has come
//   fttime    clock for the figures' bob
//   grow      0..1 scale-in of the figures
//   fall      0..1 how far they have dropped (they fall toward +y)
uniform sampler1D texture1d_pos;
uniform float movement;
uniform float fttime;
uniform float grow;
uniform float fall;
#include "material_vertex.glsl"

void main() {
    vec4 vertex = gl_Vertex;
    float index = (gl_MultiTexCoord0.x + 0.5) / 1024.0;
    vec4 place = texture1D(texture1d_pos, index);
    vertex.xyz *= clamp(grow, 0.0, 1.0);
    vertex.xyz += place.xyz * movement;
    vertex.y += fall * fall * 40.0 + 0.1 * sin(fttime * 4.0 + place.w * 6.2832);
    emit_material_vertex(vertex);
}
