#version 120
// Beetle shells: dark lacquer with a coloured sheen.
uniform float EasyIn;
#include "material_fragment.glsl"

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, l), 0.0);
    float glow = 0.0;
    vec3 h = normalize(l + v);
    float gloss = pow(max(dot(n, h), 0.0), 40.0);
    vec3 sheen = 0.5 + 0.5 * cos(6.2832 * (dot(n, v) + vec3(0.0, 0.33, 0.67)));
    vec3 colour = gl_Color.rgb * 0.15 * (0.3 + diffuse) + sheen * gloss * EasyIn;
    glow = gloss * 0.4;
    write_material(colour, glow);
}
