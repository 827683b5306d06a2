#version 120
// Window compose, full quality: 8-tap motion blur, soft focus / depth of field, broad ambient
// occlusion, shafts and glow, grading, grain and fade.
// Uniforms: as documented in compose.glsl (shaders/lib).
#define COMPOSE_MOTION_TAPS 8
#define COMPOSE_DEFOCUS
#define COMPOSE_DEPTH_SHADING
#define SSAO_SAMPLES 8
#define SSAO_RADIUS 1.5
#define COMPOSE_GLOW
#include "post_common.glsl"
#include "ssao.glsl"
#include "compose.glsl"
