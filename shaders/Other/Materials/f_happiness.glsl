#version 120
// Cheerful figures: gl_Color with a warm glow as they grow in.
uniform float grow;
#include "material_fragment.glsl"

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, l), 0.0);
    float glow = 0.0;
    vec3 colour = gl_Color.rgb * (0.3 + 0.7 * diffuse) + vec3(1.0, 0.7, 0.3) * 0.3 * (1.0 - clamp(grow, 0.0, 1.0));
    glow = 0.3 * (1.0 - clamp(grow, 0.0, 1.0));
    write_material(colour, glow);
}
