#version 120
// Reef fish: gl_Color body with a bright belly and a specular flash.

#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float glow = 0.0;
    vec3 h = normalize(lit.l + lit.v);
    float flash = pow(max(dot(lit.n, h), 0.0), 24.0);
    vec3 colour = gl_Color.rgb * (0.25 + 0.75 * lit.diffuse) + vec3(0.9) * flash;
    glow = flash * 0.5;
    write_material(colour, glow);
}
