#version 120
// The sea surface and the bridge. The sea swells with the clock; the bridge stands still.
//   ttime         scene clock (s)
//   isPressable   1: the water gives, swelling with the clock (0 would hold it flat)
//   isStone       1 for the bridge: it stands on the water, still
uniform float ttime;
#ifndef isPressable
uniform float isPressable;
#endif
#ifndef isStone
uniform float isStone;
#endif
#include "toys_vertex.glsl"

float swell(vec2 p) {
    return 0.35 * sin(0.3 * p.x + 0.9 * ttime) + 0.25 * sin(0.22 * p.y - 0.7 * ttime + 1.1) +
           0.1 * sin(0.9 * (p.x + p.y) + 1.7 * ttime);
}

void main() {
    vec4 vertex = gl_Vertex;
    vec3 normal = gl_Normal;
    if (isStone < 0.5) {
        float e = 0.4;
        float h = isPressable * swell(vertex.xz);
        float hx = isPressable * swell(vertex.xz + vec2(e, 0.0));
        float hz = isPressable * swell(vertex.xz + vec2(0.0, e));
        vertex.y += h;
        normal = normalize(vec3(-(hx - h) / e, 1.0, -(hz - h) / e));
    }
    emit_toys_vertex(vertex, normal);
}
