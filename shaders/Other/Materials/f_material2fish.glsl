#version 120
// Reef fish: gl_Color body with a bright belly and a specular flash.

#include "material_fragment.glsl"

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, l), 0.0);
    float glow = 0.0;
    vec3 h = normalize(l + v);
    float flash = pow(max(dot(n, h), 0.0), 24.0);
    vec3 colour = gl_Color.rgb * (0.25 + 0.75 * diffuse) + vec3(0.9) * flash;
    glow = flash * 0.5;
    write_material(colour, glow);
}
