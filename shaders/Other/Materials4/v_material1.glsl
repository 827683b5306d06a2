#version 120
// The general night material: ground things, wall pieces, ants, figures, the diver, the faces
// and the moon.
//   Shatter   0..1: the face cracks into shards that fly apart and fall (issmallFace set)
//   FaceNum   which face, so each face breaks its own way
#include "material_vertex.glsl"
#include "night_vertex.glsl"

uniform float issmallFace;
uniform float Shatter;
uniform float FaceNum;

void main() {
    vec4 p = gl_Vertex;
    if (issmallFace > 0.5 && Shatter > 0.0) {
        // Shards: pieces of about a tenth of a unit, each thrown out on its own line.
        vec3 cell = floor(p.xyz * 9.0) + FaceNum * 7.0;
        float h = hash3(cell);
        vec3 out_dir = vec3(hash3(cell + 1.3) - 0.5, hash3(cell + 2.7) - 0.3, hash3(cell + 4.1) + 0.2);
        float s = Shatter * (0.4 + h);
        p.xyz += out_dir * s * 1.6 - vec3(0.0, 1.5 * Shatter * Shatter * (0.5 + h), 0.0);
    }
    emit_material_vertex(p);
    emit_shadow_coord();
}
