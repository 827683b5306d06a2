#version 120
// Doors: painted wood in gl_Color with dark panel grooves.

#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float grooves = step(0.92, fract(object_position.y * 3.0)) + step(0.92, fract(object_position.x * 3.0));
    vec3 colour = gl_Color.rgb * (0.25 + 0.75 * lit.diffuse) * (1.0 - 0.5 * clamp(grooves, 0.0, 1.0));
    write_material(colour, 0.0);
}
