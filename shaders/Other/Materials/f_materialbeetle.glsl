#version 120
// Beetle shells: dark lacquer with a coloured sheen.
uniform float EasyIn;
#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float glow = 0.0;
    vec3 h = normalize(lit.l + lit.v);
    float gloss = pow(max(dot(lit.n, h), 0.0), 40.0);
    vec3 sheen = 0.5 + 0.5 * cos(6.2832 * (dot(lit.n, lit.v) + vec3(0.0, 0.33, 0.67)));
    vec3 colour = gl_Color.rgb * 0.15 * (0.3 + lit.diffuse) + sheen * gloss * EasyIn;
    glow = gloss * 0.4;
    write_material(colour, glow);
}
