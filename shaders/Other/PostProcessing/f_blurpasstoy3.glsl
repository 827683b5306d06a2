#version 120
// Window compose while the final scene loads in: 6-tap motion blur, soft focus and broad
// ambient occlusion; no glow.
// Uniforms: as documented in compose.glsl (shaders/lib).
#define COMPOSE_MOTION_TAPS 6
#define COMPOSE_DEFOCUS
#define COMPOSE_DEPTH_SHADING
#define SSAO_SAMPLES 8
#define SSAO_RADIUS 1.5
#include "post_common.glsl"
#include "ssao.glsl"
#include "compose.glsl"
