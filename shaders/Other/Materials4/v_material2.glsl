#version 120
// The second landscape material: the house and the trees.
//   isLeaf           leaves flutter
//   isBigTree        the whole tree bends
//   BigTreeMovement  0..1 the wind's strength
//   ttime            clock
#include "material_vertex.glsl"
#include "night_vertex.glsl"

uniform float isLeaf;
uniform float isBigTree;
uniform float BigTreeMovement;
uniform float ttime;

void main() {
    vec4 p = gl_Vertex;
    float height = max(p.y, 0.0);
    float wind = 0.25 + BigTreeMovement;
    if (isBigTree > 0.5) {
        float bend = wind * 0.006 * height * height;
        p.x += bend * (0.7 + 0.3 * sin(ttime * 0.9));
        p.z += bend * 0.4 * sin(ttime * 0.7 + 1.0);
    }
    if (isLeaf > 0.5) {
        float phase = dot(p.xyz, vec3(1.7, 0.9, 1.3));
        p.xyz += vec3(sin(ttime * 2.1 + phase), 0.5 * sin(ttime * 2.9 + phase * 1.3), cos(ttime * 1.7 + phase))
                 * 0.16 * wind * clamp(height / 6.0, 0.0, 1.0);
    }
    emit_material_vertex(p);
    emit_shadow_coord();
}
