#version 120
// The credits lettering.
//   isCredits  1: lettering (0 leaves the geometry as it is)
//   Appear     0..1: the line comes in; its blocks settle into place from slightly apart
//   Shimmer    0..1: the line's own phase of the light running over it
#include "material_vertex.glsl"
#include "night_vertex.glsl"

uniform float isCredits;
uniform float Appear;
uniform float Shimmer;
uniform float ttime;

void main() {
    vec4 p = gl_Vertex;
    if (isCredits > 0.5) {
        float h = hash3(floor(p.xyz * 12.0));
        p.z += (1.0 - Appear) * (h - 0.5) * 3.0;
        p.y += (1.0 - Appear) * (h - 0.3) * 0.8;
    }
    emit_material_vertex(p);
    emit_shadow_coord();
}
