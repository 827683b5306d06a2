// The highlight blur: the bright parts of the full-size combined picture, blurred, written at a
// quarter of the size (the pass runs on the quarter-size target).
//
// A pixel's brightness key is the larger of its luma and the glow key the occlusion combine left
// in alpha; the part above HIGHLIGHT_THRESHOLD passes (soft knee), tinted by HIGHLIGHT_TINT.
// 25 taps on a 5 x 5 grid spaced 1.5 quarter-size pixels apart, Gaussian weights.
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
    vec2 pixel = pixel_size() * 1.5;
    vec3 sum = vec3(0.0);
    float total = 0.0;
    for (int y = -2; y <= 2; ++y)
        for (int x = -2; x <= 2; ++x) {
            float w = exp(-0.35 * float(x * x + y * y));
            sum += bright_part(uv + vec2(float(x), float(y)) * pixel) * w;
            total += w;
        }
    gl_FragColor = vec4(sum / total * HIGHLIGHT_TINT, 1.0);
}
