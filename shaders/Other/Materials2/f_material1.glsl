#version 120
// The general material of the toys scene: painted wooden chess pieces and figures (their paint's
// brightness is the primitive colour), the board, whose top shows the chessboard picture and
// mirrors what stands on it, and the toy room's floor of painted boards.
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
//   isfloor                 1 for the floor
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
#ifndef ischess
uniform float ischess;
#endif
#ifndef isfloor
uniform float isfloor;
#endif

#include "toys_fragment.glsl"

// The floor: painted boards along x with staggered joints, each a shade of its own, lacquered,
// in the moon's light and the light pass's shadows, dimming into the night away from the board.
// It lies at the board's level or in the lane below it, never mirrored, so it takes its world
// position and normal as they are.
const float board_width = 2.6, board_length = 17.0;

float floor_hash(vec2 p) {
    return fract(sin(dot(p, vec2(12.9898, 78.233))) * 43758.5453);
}

void floor_main() {
    vec3 world = world_position;
    vec3 n = normalize(mat3(gl_TextureMatrix[3]) * normalize(eye_normal));
    float across = world.z / board_width;
    float row = floor(across);
    float along = world.x / board_length + floor_hash(vec2(row, 3.1));
    float plank = floor(along);
    float shade = floor_hash(vec2(row, plank));
    // Joints as thin dark lines, fading out where the boards grow too small to show them.
    float wz = fwidth(across), wx = fwidth(along);
    float joint = smoothstep(0.0, max(0.02, wz), fract(across)) * smoothstep(0.0, max(0.02, wz), 1.0 - fract(across)) *
                  smoothstep(0.0, max(0.003, wx), fract(along)) * smoothstep(0.0, max(0.003, wx), 1.0 - fract(along));
    joint = mix(1.0, joint, 1.0 - smoothstep(0.08, 0.3, wz));
    vec3 grain = texture2D(texture2d_1, vec2(world.x * 0.04 + shade, world.z * 0.5)).rgb;
    vec3 paper = texture2D(texture2d_paper, world.xz * 0.05).rgb;
    // Boards painted a dusty blue-grey, each a little lighter or darker than its neighbours.
    vec3 paint = vec3(0.3, 0.29, 0.3) * (0.85 + 0.2 * shade + 0.16 * (grain.r - 0.5) + 0.12 * (paper.r - 0.5));
    paint *= mix(0.5, 1.0, joint);

    float shadow = mix(1.0, toys_shadow(texture2d_2, world), 0.55 + 0.3 * clamp(shadowlevel, 0.0, 1.0));
    vec3 l = toys_light_direction();
    vec3 v = normalize(mat3(gl_TextureMatrix[3]) * normalize(-eye_position));
    float diffuse = max(dot(n, l), 0.0) * shadow;
    float sheen = pow(max(dot(reflect(-l, n), v), 0.0), 12.0) * 0.18 * shadow * joint;
    // A broad pool of moonlight round the board.
    float pool = texture2D(texture2d_blob, world.xz / 90.0 + 0.5).r;
    vec3 colour = paint * (toys_ambient * 0.75 + toys_moon * diffuse * (0.3 + 0.35 * pool)) + toys_moon * sheen;
    if (running > 0.0) {
        float band = smoothstep(0.96, 1.0, sin(world.x * 0.08 - running * 0.012));
        colour += vec3(0.25, 0.22, 0.15) * band * paint;
    }
    // Away from the camera and the toys the floor sinks into the night, so its far edge and the
    // horizon are never seen.
    float away = max(smoothstep(35.0, 115.0, length(eye_position)), smoothstep(50.0, 140.0, length(world.xz)));
    colour = mix(colour, toys_night, away);
    gl_FragData[0] = vec4(toys_fogged(colour, TheFog), 1.0);
    gl_FragData[1] = vec4(0.0, 0.0, 0.0, 1.0);
}

void main() {
    if (isfloor > 0.5) {
        floor_main();
        return;
    }
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
