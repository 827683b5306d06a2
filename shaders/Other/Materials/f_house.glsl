#version 120
// Houses: old plaster (texture2d_yeolde) with windows that light when Flag2 is set.
uniform sampler2D texture2d_yeolde;
uniform float Flag2;
#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float glow = 0.0;
    vec3 plaster = texture2D(texture2d_yeolde, uv).rgb;
    float windows = step(0.6, fract(object_position.x * 1.7)) * step(0.5, fract(object_position.y * 1.3));
    vec3 colour = plaster * (0.2 + 0.8 * lit.diffuse) + vec3(1.0, 0.8, 0.45) * windows * Flag2;
    glow = windows * Flag2;
    write_material(colour, glow);
}
