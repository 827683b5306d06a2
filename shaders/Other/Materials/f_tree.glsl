#version 120
// Trees: bark below, dark green leaves above, lit through from behind at the edges.

#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    vec3 bark = vec3(0.25, 0.18, 0.12);
    vec3 leaves = vec3(0.1, 0.3, 0.15);
    vec3 base = mix(bark, leaves, smoothstep(0.8, 1.4, object_position.y));
    float through = pow(1.0 - max(dot(lit.n, lit.v), 0.0), 2.0) * 0.3;
    vec3 colour = base * (0.25 + 0.75 * lit.diffuse) + leaves * through;
    write_material(colour, 0.0);
}
