#version 120
// Black card figures (IsMan = 1) with a thin lamp-lit rim, or white card with soft shading
// (IsMan = 0), both in the lamp's shadow.
//   gl_Color   the card's colour
//   IsMan      1 figures and ants, 0 buildings and forks
uniform float IsMan;
#include "middle_paper.glsl"

void main() {
    float shadow = lamp_light(light_position);
    float lamp = lamp_diffuse() * shadow;
    vec3 card = gl_Color.rgb * paper_grain(0.12, vec2(0.0)) * (0.5 + 0.6 * lamp);
    vec3 v = normalize(-eye_position);
    float rim = pow(1.0 - abs(dot(normalize(eye_normal), v)), 4.0);
    vec3 ink = gl_Color.rgb + vec3(0.3, 0.26, 0.2) * rim * shadow;
    write_paper(mix(card, ink, clamp(IsMan, 0.0, 1.0)), 0.0);
}
