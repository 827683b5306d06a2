#version 120
// Goldfish: warm orange scales with a soft sheen.

#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float glow = 0.0;
    float sheen = pow(1.0 - max(dot(lit.n, lit.v), 0.0), 2.0);
    vec3 colour = vec3(1.0, 0.45, 0.08) * (0.25 + 0.8 * lit.diffuse) + vec3(1.0, 0.8, 0.4) * sheen * 0.4;
    glow = sheen * 0.3;
    write_material(colour, glow);
}
