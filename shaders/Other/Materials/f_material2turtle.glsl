#version 120
// The turtle's shell and skin from its texture, lit from above.
//   texture2d_1  turtle texture
uniform sampler2D texture2d_1;
#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    vec3 skin = texture2D(texture2d_1, uv).rgb;
    vec3 colour = skin * (0.2 + 0.8 * lit.diffuse) + vec3(0.1, 0.15, 0.15) * pow(1.0 - max(dot(lit.n, lit.v), 0.0), 3.0);
    write_material(colour, 0.0);
}
