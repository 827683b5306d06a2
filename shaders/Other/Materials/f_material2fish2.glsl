#version 120
// Silver bait fish: gl_Color is the part's grey (dark back, light flank); the flank flashes
// where it turns toward the light. Output 1: glow colour (the flash).
#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(gl_FrontFacing ? eye_normal : -eye_normal);
    vec3 h = normalize(lit.l + lit.v);
    float flash = pow(max(dot(lit.n, h), 0.0), 30.0);
    float sheen = pow(1.0 - max(dot(lit.n, lit.v), 0.0), 2.0);
    vec3 colour = gl_Color.rgb * (0.25 + 0.9 * lit.diffuse) + vec3(0.8, 0.9, 1.0) * (flash * 1.2 + sheen * 0.25 * gl_Color.r);
    colour = fogged(colour);
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(vec3(0.8, 0.9, 1.0) * flash * 0.8, 1.0);
}
