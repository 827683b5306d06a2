#version 120
// Occlusion combine, contact variant: a tight radius that darkens creases and contact areas
// only, leaving broad surfaces untouched.
// Uniforms:
//   texture2d_1       scene colour
//   texture2d_2       scene depth (main pass)
//   texture2d_3       second scene output: glow colour; its brightness becomes the alpha
//                     (highlight key) of the result
//   texture2d_random  random vectors, 1024 x 1024
//   Limit             0..1 per-frame random value: shifts the sampling noise every frame
//   SSAOFactor        occlusion strength; 1 (or 0 = not set) is normal, more is deeper
#define SSAO_SAMPLES 12
#define SSAO_RADIUS 0.35
#define COMBINE_STRENGTH 1.2
#define COMBINE_TINT vec3(1.0)
#include "post_common.glsl"
#include "ssao.glsl"
#include "combine.glsl"
