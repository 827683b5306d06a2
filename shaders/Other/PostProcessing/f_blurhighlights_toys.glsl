#version 120
// Highlight blur of the toys and final scenes: a lower threshold (0.7) and a warm tint.
// Uniforms:
//   texture2d_1  the combined picture, full size (alpha = glow key from the occlusion combine)
#define HIGHLIGHT_THRESHOLD 0.7
#define HIGHLIGHT_TINT vec3(1.1, 1.0, 0.85)
#include "post_common.glsl"
#include "highlights.glsl"
