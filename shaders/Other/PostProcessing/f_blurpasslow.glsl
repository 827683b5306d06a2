#version 120
// Window compose for the "Low spec GPU" option: 4-tap motion blur, shafts, grading, grain and
// fade; no soft focus, no broad ambient occlusion, no glow: 5 texture reads a pixel against
// about 38 in f_blurpass2.
// Limit, WhichBlur, SetBlur and texture2d_2 have no effect here.
// Uniforms: as documented in compose.glsl (shaders/lib).
#define COMPOSE_MOTION_TAPS 4
#include "post_common.glsl"
#include "compose.glsl"
