// Screen-space ambient occlusion from the depth texture.
//
// Samples lie on a golden-angle spiral inside a disc whose radius is SSAO_RADIUS world units,
// projected to pixels at the pixel's own distance, and turned per pixel by the random-vector
// texture so the banding of a fixed pattern becomes fine noise. Each sample's depth is compared
// with the depth the pixel's own surface plane predicts there (plane from one-sided depth
// differences, so flat and sloping surfaces do not occlude themselves); samples in front of that
// plane by more than a small bias and by less than the radius occlude (fading out from half the
// radius, so an object far in front of a surface does not shade it). The result is 1 for
// open surfaces and drops in creases and contact areas.
//
// Defined before inclusion: SSAO_SAMPLES (int, at most 16), SSAO_RADIUS (float, world units); optionally
// SSAO_TEXEL_MAP, the name of a sampler of the same depth texture that reads the nearest texel
// (the chain's specialised copies). The pixel's own depth and its four neighbours lie on texel
// centres, where a linear read returns the texel itself, so those five reads use it: software GL
// reads one texel for them instead of four. With SSAO_NEAREST_SAMPLES as well, the spiral's
// samples move to the nearest texel centre and read it alone: cheaper still, and a flat surface
// stays open (the plane is asked for its depth at the same centre), but the occlusion's grain
// lands on other pixels than the filtered reads between texels give.
// Needs post_common.glsl.

#ifdef SSAO_TEXEL_MAP
uniform sampler2D SSAO_TEXEL_MAP;
#define SSAO_CENTRES SSAO_TEXEL_MAP
#else
#define SSAO_CENTRES depth_map
#endif
#ifdef SSAO_NEAREST_SAMPLES
#define SSAO_SAMPLE_MAP SSAO_CENTRES
#else
#define SSAO_SAMPLE_MAP depth_map
#endif

float sample_distance(sampler2D depth_map, vec2 uv) {
    return view_distance(texture2D(depth_map, uv).r);
}

// The spiral's directions, (cos, sin) of i golden angles (2.3999632 radians), written out:
// software GL computed the sine and cosine for every sample of every pixel.
const vec2 golden_turns[16] = vec2[16](
    vec2(1.000000000, 0.000000000),
    vec2(-0.737368858, 0.675490316),
    vec2(0.087425665, -0.996171046),
    vec2(0.608438932, 0.793600697),
    vec2(-0.984713506, -0.174181833),
    vec2(0.843755215, -0.536728178),
    vec2(-0.259604133, 0.965715121),
    vec2(-0.460907209, -0.887448333),
    vec2(0.939321378, 0.343038407),
    vec2(-0.924345454, 0.381556656),
    vec2(0.423845726, -0.905734399),
    vec2(0.299284176, 0.954164022),
    vec2(-0.865211389, -0.501407273),
    vec2(0.976675691, -0.214719806),
    vec2(-0.575129089, 0.818062670),
    vec2(-0.128511132, -0.991708066));

// `turn` is a unit vector that rotates the sample spiral for this pixel.
float ambient_occlusion_turned(sampler2D depth_map, vec2 uv, vec2 pixel, vec2 turn) {
    float depth = texture2D(SSAO_CENTRES, uv).r;
    if (is_background(depth)) return 1.0;
    float z = view_distance(depth);

    // The surface plane as depth change per pixel, from the flatter side of each axis.
    float right = sample_distance(SSAO_CENTRES, uv + vec2(pixel.x, 0.0)) - z;
    float left = z - sample_distance(SSAO_CENTRES, uv - vec2(pixel.x, 0.0));
    float up = sample_distance(SSAO_CENTRES, uv + vec2(0.0, pixel.y)) - z;
    float down = z - sample_distance(SSAO_CENTRES, uv - vec2(0.0, pixel.y));
    vec2 slope = vec2(abs(right) < abs(left) ? right : left, abs(up) < abs(down) ? up : down);

    // About 0.9 · height pixels per world unit at distance 1 for the scenes' fields of view.
    float radius_pixels = clamp(SSAO_RADIUS * 0.9 / (pixel.y * z), 2.0, 80.0);
    float bias = 0.004 * z;

    float occlusion = 0.0;
    for (int i = 0; i < SSAO_SAMPLES; ++i) {
        float r = sqrt((float(i) + 0.5) / float(SSAO_SAMPLES)) * radius_pixels;
        vec2 d = golden_turns[i];
        vec2 offset_pixels = r * vec2(d.x * turn.x - d.y * turn.y, d.x * turn.y + d.y * turn.x);
#ifdef SSAO_NEAREST_SAMPLES
        // The texel the nearest read returns; the plane is asked for its depth there too.
        offset_pixels = floor(offset_pixels + 0.5);
#endif
        float expected = z + dot(slope, offset_pixels);
        float found = sample_distance(SSAO_SAMPLE_MAP, uv + offset_pixels * pixel);
        float closer = expected - found;
        occlusion += smoothstep(bias, bias * 4.0, closer) *
                     (1.0 - smoothstep(SSAO_RADIUS * 0.5, SSAO_RADIUS, closer));
    }
    return 1.0 - occlusion / float(SSAO_SAMPLES);
}

// The spiral turned by the random-vector texture, shifted by `jitter` (0..1) each frame.
float ambient_occlusion(sampler2D depth_map, sampler2D random_map, vec2 uv, vec2 pixel,
                        float jitter) {
    vec2 turn = normalize(random_vector(random_map, jitter) + vec2(0.0001, 0.0));
    return ambient_occlusion_turned(depth_map, uv, pixel, turn);
}
