#version 120
// Light shafts of the toys scene: from the brightest area, shorter and warm.
// Uniforms:
//   texture2d_1  the highlight image, quarter size
//   Limit        0..1 lengthens the shafts (0 = this variant's own length)
#define GODRAYS_SAMPLES 28
#define GODRAYS_LENGTH 0.7
#define GODRAYS_DECAY 0.975
#define GODRAYS_GAIN 2.2
#define GODRAYS_TINT vec3(1.0, 0.9, 0.75)
#include "post_common.glsl"
#include "godrays.glsl"
