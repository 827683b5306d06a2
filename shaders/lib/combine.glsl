// The occlusion combine: the scene colour darkened by ambient occlusion, with the highlight key
// for the bright pass in alpha.
//
// Uniforms:
//   texture2d_1       scene colour (full size)
//   texture2d_2       scene depth of the main pass
//   texture2d_3       second scene output: a glow colour. Its brightness becomes the combined
//                     picture's alpha, which the highlight pass treats like brightness, so a
//                     material can bloom without being bright. Materials that write only
//                     gl_FragColor send their own colour here, which changes nothing.
//   texture2d_random  random vectors (1024 x 1024 noise)
//   Limit             0..1, a per-frame random value: moves the noise pattern of the sampling
//                     every frame so it reads as fine grain instead of a fixed texture
//   SSAOFactor        occlusion strength; 1 (and 0, i.e. not set) is the normal strength,
//                     larger values deepen the shading
//
// Defined before inclusion: SSAO_SAMPLES, SSAO_RADIUS, COMBINE_STRENGTH (the variant's base
// strength), COMBINE_TINT (vec3 the occluded parts lean towards). The chain defines
// COMBINE_OPEN_ONLY for the copy it draws where nothing was drawn (the cleared far plane): the
// occlusion leaves those pixels open, so the copy leaves out the sampling.
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_3;
uniform sampler2D texture2d_random;
uniform float Limit;
uniform float SSAOFactor;

void main() {
    vec2 uv = gl_TexCoord[0].st;
    vec2 pixel = pixel_size();
    vec4 colour = texture2D(texture2d_1, uv);
    vec3 glow = texture2D(texture2d_3, uv).rgb;
    float strength = COMBINE_STRENGTH * (SSAOFactor > 0.0 ? SSAOFactor : 1.0);
#ifdef COMBINE_OPEN_ONLY
    float open = 1.0;
#else
    float open = ambient_occlusion(texture2d_2, texture2d_random, uv, pixel, Limit);
#endif
    float shade = clamp(1.0 - (1.0 - open) * strength, 0.0, 1.0);
    vec3 shaded = colour.rgb * mix(COMBINE_TINT, vec3(1.0), shade) * shade;
    gl_FragColor = vec4(shaded, clamp(luma(glow), 0.0, 1.0));
}
