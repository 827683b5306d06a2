#version 120
// The train: painted metal with lit windows (the upper band of each carriage).
uniform float ttime;
#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float glow = 0.0;
    float windows = step(0.55, fract(object_position.y * 1.5)) * step(0.3, fract(object_position.x * 2.0));
    vec3 colour = gl_Color.rgb * (0.2 + 0.8 * lit.diffuse) + vec3(1.0, 0.85, 0.5) * windows * 0.7;
    glow = windows * 0.8;
    write_material(colour, glow);
}
