#version 120
// Bubbles: a thin bright rim and a highlight; flash (0..1) makes them glow on the beat.
uniform float flash;
#include "material_fragment.glsl"

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, l), 0.0);
    float glow = 0.0;
    float rim = pow(1.0 - max(dot(n, v), 0.0), 3.0);
    vec3 h = normalize(l + v);
    float highlight = pow(max(dot(n, h), 0.0), 60.0);
    vec3 colour = vec3(0.6, 0.8, 0.9) * rim + vec3(1.0) * highlight + vec3(0.3, 0.5, 0.6) * flash;
    glow = rim * 0.5 + flash * 0.5;
    write_material(colour, glow);
}
