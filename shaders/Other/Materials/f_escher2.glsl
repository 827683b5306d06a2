#version 120
// The crowd as dark ink figures: hatched by the light from above, their outlines picking up a
// pale edge so that the interlocking shapes stay readable in the deep.
uniform float ttime;

#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    float light = lit.diffuse;
    // Hatching: lines across the figure that close up where the light fails.
    float lines = sin((object_position.y * 2.5 + object_position.x * 0.8) * 6.2832);
    float hatch = step(lines, light * 2.0 - 1.0);
    vec3 ink = gl_Color.rgb * 0.25;
    vec3 paper = gl_Color.rgb * 0.9 + vec3(0.08, 0.1, 0.1);
    vec3 colour = mix(ink, paper, hatch * 0.45 + light * 0.2);
    float edge = pow(1.0 - max(dot(lit.n, lit.v), 0.0), 2.5);
    colour += vec3(0.35, 0.45, 0.5) * edge * 0.6;
    colour = fogged(colour);
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(vec3(0.35, 0.45, 0.5) * edge * 0.2, 1.0);
}
