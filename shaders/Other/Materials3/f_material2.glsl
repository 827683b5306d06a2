#version 120
// Cut-out card of the middle scene: the colour of the card, the lamp, the shadow other cut-outs
// throw on it, and a darker cut edge.
//   gl_Color   the card's colour
//   IsBird     1 for the leaping fish and the aeroplane: a little brighter, as if glossy
//   texture2d_2 the lamp's depth map; texture2d_paper the fibre
uniform float IsBird;
#include "middle_paper.glsl"
varying float cap;

void main() {
    float shadow = lamp_light(light_position);
    float lamp = lamp_diffuse() * shadow;
    vec3 card = gl_Color.rgb * paper_grain(0.18, vec2(0.0));
    vec3 colour = card * (0.5 + 0.65 * lamp);
    colour *= mix(0.7, 1.0, smoothstep(0.2, 0.6, cap));
    colour += IsBird * 0.06 * lamp;
    float glow = smoothstep(0.7, 1.0, dot(gl_Color.rgb, vec3(0.5, 0.4, 0.1))) * 0.5;
    write_paper(colour, glow);
}
