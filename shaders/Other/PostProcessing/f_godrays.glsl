#version 120
// Light shafts from the brightest area of the highlight image, long and cool.
// Uniforms:
//   texture2d_1  the highlight image, quarter size
//   Limit        0..1 lengthens the shafts (0 = this variant's own length)
#define GODRAYS_SAMPLES 40
#define GODRAYS_LENGTH 0.6
#define GODRAYS_DECAY 0.97
#define GODRAYS_GAIN 2.2
#define GODRAYS_TINT vec3(0.85, 0.95, 1.0)
#include "post_common.glsl"
#include "godrays.glsl"
