#version 120
// Highlight blur: the parts brighter than 0.8 (luma or glow key), blurred over 7 x 7 taps, at
// quarter size.
// Uniforms:
//   texture2d_1  the combined picture, full size (alpha = glow key from the occlusion combine)
#define HIGHLIGHT_THRESHOLD 0.8
#define HIGHLIGHT_TINT vec3(1.0)
#include "post_common.glsl"
#include "highlights.glsl"
