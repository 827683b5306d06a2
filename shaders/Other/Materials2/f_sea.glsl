#version 120
// The night sea: deep blue water with the moon's glitter and the sky's sheen at grazing angles;
// and the bridge (isStone = 1): pale stone (its colour is the primitive colour).
//   texture2d_1             noise normal map: ripples on the water, grain of the stone
//   texture2d_2             the light pass's depth (shadows)
//   texture2d_paper         grain of the stone
//   isPressable             1: the water gives, its ripples moving the light (0 would calm it)
//   isStone                 1 for the bridge
//   MaterialMultiplier      overall brightness, 1 as painted
//   ttime                   scene clock: drifts the ripples
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_paper;
#ifndef isPressable
uniform float isPressable;
#endif
#ifndef isStone
uniform float isStone;
#endif
uniform float MaterialMultiplier;
uniform float ttime;

#include "toys_fragment.glsl"

void main() {
    vec3 world = toys_world();
    vec3 n = toys_normal();
    float shadow = mix(1.0, toys_shadow(texture2d_2, world), 0.6);
    float gain = MaterialMultiplier > 0.0 ? MaterialMultiplier : 1.0;
    vec3 colour;
    if (isStone < 0.5) {
        vec2 ripple = texture2D(texture2d_1, world.xz * 0.04 + vec2(ttime * 0.01, ttime * 0.006)).rg * 2.0 - 1.0;
        n = normalize(n + vec3(ripple.x, 0.0, ripple.y) * 0.35 * isPressable);
        vec3 v = normalize(mat3(gl_TextureMatrix[3]) * normalize(-eye_position));
        vec3 l = toys_light_direction();
        float fresnel = pow(1.0 - max(dot(n, v), 0.0), 4.0);
        float glitter = pow(max(dot(reflect(-l, n), v), 0.0), 60.0) * shadow;
        colour = gl_Color.rgb * (0.35 + 0.4 * max(dot(n, l), 0.0)) + vec3(0.1, 0.16, 0.3) * fresnel +
                 toys_moon * glitter * 1.4;
    } else {
        float stone = texture2D(texture2d_paper, world.xy * 0.08 + world.z * 0.05).r;
        vec3 paint = gl_Color.rgb * (0.8 + 0.35 * stone);
        colour = toys_lit(paint, n, shadow, 0.1);
    }
    colour *= gain;
    write_toys(toys_fogged(colour, 1.6), vec3(0.0));
}
