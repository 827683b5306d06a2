#version 120
// Occlusion combine, the main variant: a wider radius and more samples, so creases darken
// strongly and nearby walls shade the floor; shadows lean slightly towards blue-green.
// Uniforms:
//   texture2d_1       scene colour
//   texture2d_2       scene depth (main pass)
//   texture2d_3       second scene output: glow colour; its brightness becomes the alpha
//                     (highlight key) of the result
//   texture2d_random  random vectors, 1024 x 1024
//   Limit             0..1 per-frame random value: shifts the sampling noise every frame
//   SSAOFactor        occlusion strength; 1 (or 0 = not set) is normal, more is deeper
#define SSAO_SAMPLES 16
#define SSAO_RADIUS 0.6
#define COMBINE_STRENGTH 1.4
#define COMBINE_TINT vec3(0.85, 0.95, 1.05)
#include "post_common.glsl"
#include "ssao.glsl"
#include "combine.glsl"
