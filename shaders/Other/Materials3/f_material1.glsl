#version 120
// Paper and card of the middle scene, lit by the stage lamp with its shadow.
//   gl_Color            the paper's colour
//   IsAnt               1: ink with a faint sheen instead of paper
//   MaterialMultiplier  brightness of the output (the lamp's own pass draws dim)
//   ScaleDown           contrast of the paper fibre, from 3.5 falling as the scene goes on
//                       (more, coarser paper at the start; smoother card later)
//   LightDown           how far the lamp dims (0 none, 1 dark)
//   PosY                lifts the fibre pattern (the developer camera height)
//   texture2d_2         the lamp's depth map; texture2d_paper the paper fibre
uniform float IsAnt;
uniform float MaterialMultiplier;
uniform float ScaleDown;
uniform float LightDown;
uniform float PosY;
#include "middle_paper.glsl"

void main() {
    float shadow = lamp_light(light_position);
    float lamp = (1.0 - clamp(LightDown, 0.0, 1.0)) * lamp_diffuse() * shadow;
    float grain = paper_grain(clamp(0.12 + 0.05 * ScaleDown, 0.05, 0.35), vec2(0.0, 0.1 * PosY));
    vec3 base = gl_Color.rgb * grain;
    vec3 colour = base * (0.45 + 0.7 * lamp) + vec3(0.04, 0.03, 0.0) * (1.0 - shadow);
    if (IsAnt > 0.5) {
        vec3 v = normalize(-eye_position);
        float sheen = pow(1.0 - abs(dot(normalize(eye_normal), v)), 3.0);
        colour = vec3(0.08, 0.07, 0.06) + 0.25 * sheen * shadow + gl_Color.rgb * 0.1;
    }
    colour *= MaterialMultiplier;
    write_paper(colour, 0.0);
}
