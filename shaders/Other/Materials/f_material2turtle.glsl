#version 120
// The turtle's shell and skin from its texture, lit from above.
//   texture2d_1  turtle texture
uniform sampler2D texture2d_1;
#include "material_fragment.glsl"

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, l), 0.0);
    float glow = 0.0;
    vec3 skin = texture2D(texture2d_1, uv).rgb;
    vec3 colour = skin * (0.2 + 0.8 * diffuse) + vec3(0.1, 0.15, 0.15) * pow(1.0 - max(dot(n, v), 0.0), 3.0);
    write_material(colour, glow);
}
