#version 120
// Light shafts from the brightest area of the highlight image, cool; samples near the pixel
// weigh most, so whatever blocks part of the light leaves a dark wedge in the rays.
// Uniforms:
//   texture2d_1  the highlight image, quarter size
//   Limit        0..1 lengthens the shafts (0 = this variant's own length)
#define GODRAYS_SAMPLES 40
#define GODRAYS_LENGTH 0.8
#define GODRAYS_DECAY 0.95
#define GODRAYS_GAIN 7.0
#define GODRAYS_TINT vec3(0.85, 0.95, 1.0)
#include "post_common.glsl"
#include "godrays.glsl"
