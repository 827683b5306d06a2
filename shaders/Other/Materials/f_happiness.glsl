#version 120
// Cheerful figures: gl_Color with a warm glow as they grow in.
uniform float grow;
#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float glow = 0.0;
    vec3 colour = gl_Color.rgb * (0.3 + 0.7 * lit.diffuse) + vec3(1.0, 0.7, 0.3) * 0.3 * (1.0 - clamp(grow, 0.0, 1.0));
    glow = 0.3 * (1.0 - clamp(grow, 0.0, 1.0));
    write_material(colour, glow);
}
