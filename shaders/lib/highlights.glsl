// The highlight blur: the bright parts of the full-size combined picture, blurred, written at a
// quarter of the size (the pass runs on the quarter-size target).
//
// A pixel's brightness key is the larger of its luma and the glow key the occlusion combine left
// in alpha; the part above HIGHLIGHT_THRESHOLD passes (soft knee), tinted by HIGHLIGHT_TINT.
// 49 taps on a 7 x 7 grid one quarter-size pixel apart (each tap a bilinear read of the full-size
// picture), Gaussian weights; the glow is brightened threefold and never falls below the bright
// part of the pixel itself, so a small light keeps its core and gains a halo of about 12
// full-size pixels.
//
// Uniforms:
//   texture2d_1  the combined picture (full size; alpha = glow key)
//
// Defined before inclusion: HIGHLIGHT_THRESHOLD (float), HIGHLIGHT_TINT (vec3).
uniform sampler2D texture2d_1;

vec3 bright_part(vec2 uv) {
    vec4 c = texture2D(texture2d_1, uv);
    float key = max(luma(c.rgb), c.a);
    float pass = smoothstep(HIGHLIGHT_THRESHOLD, HIGHLIGHT_THRESHOLD + 0.25, key);
    return max(c.rgb, vec3(c.a)) * pass;
}

void main() {
    vec2 uv = gl_TexCoord[0].st;
    vec2 pixel = pixel_size();
    vec3 sum = vec3(0.0);
    float total = 0.0;
    for (int y = -3; y <= 3; ++y)
        for (int x = -3; x <= 3; ++x) {
            float w = exp(-0.18 * float(x * x + y * y));
            sum += bright_part(uv + vec2(float(x), float(y)) * pixel) * w;
            total += w;
        }
    vec3 glow = max(sum / total * 3.0, bright_part(uv));
    gl_FragColor = vec4(min(glow, vec3(1.0)) * HIGHLIGHT_TINT, 1.0);
}
