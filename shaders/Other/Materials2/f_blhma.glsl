#version 120
// The transforming toys: painted blocks (paint = primitive colour) with worn, darker edges; the
// loose boxes and cylinders of the bursts glow a little as they fly.
//   texture2d_1             noise normal map: grain
//   texture2d_2             the light pass's depth (shadows)
//   texture2d_paper         paper grain of the painted faces
//   texture2d_blob          (unused here)
//   MaterialMultiplier      overall brightness, 1 as painted
//   PosY                    developer camera height (0 in the show)
//   ttime                   scene clock
//   ttimer1                 the toys' ramp: their paint warms as they first assemble
//   IsBox                   1 for the loose unit boxes and cylinders
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_paper;
uniform float MaterialMultiplier;
uniform float PosY;
uniform float ttime;
uniform float ttimer1;
#ifndef IsBox
uniform float IsBox;
#endif

#include "toys_fragment.glsl"

void main() {
    vec3 world = toys_world();
    vec3 n = toys_normal();
    float shadow = mix(1.0, toys_shadow(texture2d_2, world), 0.7);
    vec3 paint = gl_Color.rgb * (MaterialMultiplier > 0.0 ? MaterialMultiplier : 1.0);
    float paper = texture2D(texture2d_paper, (object_position.xy + object_position.zx) * 0.35).r;
    paint *= 0.85 + 0.3 * paper;
    paint *= mix(vec3(0.85, 0.9, 1.0), vec3(1.08, 1.0, 0.9), clamp(ttimer1, 0.0, 1.0));
    vec3 glow = vec3(0.0);
    if (IsBox > 0.5) {
        // Unit blocks: the faces darken towards their edges.
        vec3 a = abs(object_position) * 2.0;
        float edge = max(max(min(a.x, a.y), min(a.y, a.z)), min(a.x, a.z));
        paint *= 1.0 - 0.35 * smoothstep(0.8, 0.98, edge);
        glow = paint * 0.4;
    }
    vec3 colour = toys_lit(paint, n, shadow, 0.4) + glow * 0.5;
    colour += 0.1 * clamp(PosY, 0.0, 1.0) * paint;
    write_toys(toys_fogged(colour, 1.5), glow);
}
