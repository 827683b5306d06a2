#version 120
// Bubbles: a thin bright rim and a highlight; flash (0..1) makes them glow on the beat.
uniform float flash;
#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float glow = 0.0;
    float rim = pow(1.0 - max(dot(lit.n, lit.v), 0.0), 3.0);
    vec3 h = normalize(lit.l + lit.v);
    float highlight = pow(max(dot(lit.n, h), 0.0), 60.0);
    vec3 colour = vec3(0.6, 0.8, 0.9) * rim + vec3(1.0) * highlight + vec3(0.3, 0.5, 0.6) * flash;
    glow = rim * 0.5 + flash * 0.5;
    write_material(colour, glow);
}
