#version 120
// Light shafts from above the top of the screen, as daylight falling through water.
// Uniforms:
//   texture2d_1  the highlight image, quarter size
//   Limit        0..1 lengthens the shafts (0 = this variant's own length)
#define GODRAYS_SAMPLES 32
#define GODRAYS_LENGTH 0.9
#define GODRAYS_DECAY 0.98
#define GODRAYS_GAIN 2.5
#define GODRAYS_TINT vec3(0.8, 0.95, 1.0)
#define GODRAYS_FIXED_LIGHT vec2(0.5, 1.15)
#include "post_common.glsl"
#include "godrays.glsl"
