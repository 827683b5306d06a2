#version 120
// Goldfish: warm orange scales with a soft sheen.

#include "material_fragment.glsl"

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, l), 0.0);
    float glow = 0.0;
    float sheen = pow(1.0 - max(dot(n, v), 0.0), 2.0);
    vec3 colour = vec3(1.0, 0.45, 0.08) * (0.25 + 0.8 * diffuse) + vec3(1.0, 0.8, 0.4) * sheen * 0.4;
    glow = sheen * 0.3;
    write_material(colour, glow);
}
