#version 120
// Doors: painted wood in gl_Color with dark panel grooves.

#include "material_fragment.glsl"

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, l), 0.0);
    float glow = 0.0;
    float grooves = step(0.92, fract(object_position.y * 3.0)) + step(0.92, fract(object_position.x * 3.0));
    vec3 colour = gl_Color.rgb * (0.25 + 0.75 * diffuse) * (1.0 - 0.5 * clamp(grooves, 0.0, 1.0));
    write_material(colour, glow);
}
