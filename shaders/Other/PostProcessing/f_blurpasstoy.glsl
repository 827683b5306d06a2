#version 120
// Window compose while the toys scene loads in: motion blur, soft focus, glow, grading; no
// broad ambient occlusion.
// Uniforms: as documented in compose.glsl (shaders/lib).
#define COMPOSE_MOTION_TAPS 8
#define COMPOSE_DEFOCUS
#define COMPOSE_GLOW
#include "post_common.glsl"
#include "compose.glsl"
