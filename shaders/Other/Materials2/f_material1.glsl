#version 120
// The general material of the toys scene: painted wooden chess pieces and figures (their paint's
// brightness is the primitive colour), and the board, whose top shows the chessboard picture
// and mirrors what stands on it.
//   texture2d_1             noise normal map: the wood grain
//   texture2d_2             the light pass's depth (shadows)
//   texture2d_3             the night backdrop picture (unused here)
//   texture2d_blob          soft blob: the pool of light round the board
//   texture2d_texturedblob  (unused here)
//   texture2d_chess         the chessboard picture, mapped once onto the board's top
//   texture2d_reflection    the mirrored picture of the mirrored pass, read at this pixel
//   texture2d_paper         paper grain of the board's picture
//   PosY, PP                developer camera height (0 in the show): lifts the ambient light
//   TheFog                  haze thickness: 1 light, larger thicker
//   shadowlevel             0 no shadows .. 1 full shadows
//   running                 from 41 on: a band of passing car light sweeping the scene
//   timer1                  the chess set's ramp: the board's polish comes up with it
//   ischess                 1 for the board
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_blob;
uniform sampler2D texture2d_chess;
uniform sampler2D texture2d_reflection;
uniform sampler2D texture2d_paper;
uniform float PosY;
uniform float PP;
uniform float TheFog;
uniform float shadowlevel;
uniform float running;
uniform float timer1;
uniform float ischess;

#include "toys_fragment.glsl"

void main() {
    vec3 world = toys_world();
    vec3 n = toys_normal();
    float shadow = mix(1.0, toys_shadow(texture2d_2, world), 0.75 * clamp(shadowlevel, 0.0, 1.0));
    vec3 grain = texture2D(texture2d_1, object_position.xy * vec2(0.35, 2.2) + object_position.z * 0.3).rgb;
    vec3 paint = gl_Color.rgb * (0.9 + 0.2 * (grain.r - 0.5));
    // Light wood is a warm cream, dark wood a deep brown-black.
    paint *= mix(vec3(0.75, 0.62, 0.52), vec3(1.0, 0.93, 0.8), smoothstep(0.2, 0.7, gl_Color.r));
    float gloss = 0.45;
    vec3 glow = vec3(0.0);
    if (ischess > 0.5) {
        vec3 square = texture2D(texture2d_chess, uv).rgb;
        vec3 paper = texture2D(texture2d_paper, uv * 3.0).rgb;
        bool top = n.y > 0.7;
        paint = top ? square * (0.85 + 0.3 * (paper.r - 0.5)) : vec3(0.2, 0.13, 0.09);
        gloss = top ? 0.3 + 0.5 * timer1 : 0.2;
    }
    vec3 colour = toys_lit(paint, n, shadow, gloss);
    colour += toys_ambient * 0.3 * clamp(PosY + PP, 0.0, 1.0) * paint;
    if (ischess > 0.5 && n.y > 0.7 && !toys_mirrored()) {
        vec2 screen = clip_position.xy / clip_position.w * 0.5 + 0.5;
        vec3 mirrored = texture2D(texture2d_reflection, screen).rgb;
        colour = mix(colour, mirrored, 0.32) + mirrored * 0.12;
        float pool = texture2D(texture2d_blob, world.xz / 26.0 + 0.5).r;
        colour += vec3(0.05, 0.06, 0.1) * pool;
    }
    if (running > 0.0) {
        float band = smoothstep(0.96, 1.0, sin(world.x * 0.08 - running * 0.012));
        colour += vec3(0.25, 0.22, 0.15) * band * paint;
    }
    write_toys(toys_fogged(colour, TheFog), glow);
}
