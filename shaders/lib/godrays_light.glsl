// The light the shafts come from: the brightness-weighted centre of the highlight image, found
// from a 16 x 12 grid of samples (the image is already blurred wide enough for the grid to catch
// a small light). strength grows with the brightest sample; a dark image gives none. Usable in
// either stage: the samples are on fixed points, so a vertex half finds what a pixel would.
vec2 brightest_light(sampler2D image, out float strength) {
    vec3 weighted = vec3(0.0);
    float brightest = 0.0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) {
            vec2 at = (vec2(float(x), float(y)) + 0.5) / vec2(16.0, 12.0);
            // The weights of post_common's luma, which a vertex half cannot include.
            float b = dot(texture2D(image, at).rgb, vec3(0.299, 0.587, 0.114));
            brightest = max(brightest, b);
            b *= b;
            weighted += vec3(at * b, b);
        }
    strength = clamp(brightest * 2.0, 0.0, 1.0);
    return weighted.z > 0.00001 ? weighted.xy / weighted.z : vec2(0.5);
}
