#version 120
// Light shafts of the final scene: from the brightest area, neutral, growing with Limit.
// Uniforms:
//   texture2d_1  the highlight image, quarter size
//   Limit        0..1 lengthens the shafts (0 = this variant's own length)
#define GODRAYS_SAMPLES 36
#define GODRAYS_LENGTH 0.6
#define GODRAYS_DECAY 0.98
#define GODRAYS_GAIN 2.8
#define GODRAYS_TINT vec3(1.0)
#include "post_common.glsl"
#include "godrays.glsl"
