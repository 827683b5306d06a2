// Helpers shared by the post-processing passes. Every pass draws one full-screen quad whose
// texture coordinates run 0..1 across the target, so the derivatives of gl_TexCoord[0] give the
// size of one target pixel in texture units without a resolution uniform.

vec2 pixel_size() {
    return vec2(abs(dFdx(gl_TexCoord[0].s)), abs(dFdy(gl_TexCoord[0].t)));
}

float luma(vec3 c) {
    return dot(c, vec3(0.299, 0.587, 0.114));
}

// Eye-space distance from a depth-buffer value. The scenes all use a near plane of about 0.1
// and far planes of 100 or more, so the far-plane term is dropped: 0.1 / (1 - d) is within a few
// per cent of the true distance over everything a scene actually shows.
float view_distance(float depth) {
    return 0.1 / max(1.0 - depth, 0.000001);
}

// True for pixels no geometry was drawn on (the cleared far plane).
bool is_background(float depth) {
    return depth >= 0.99999;
}

// A value in -1..1 per pixel from the random-vector texture (1024 x 1024, sampled on texel
// centres), shifted by `offset` so it can change from frame to frame.
vec2 random_vector(sampler2D random_map, float offset) {
    vec2 texel = floor(gl_FragCoord.xy + vec2(offset * 1024.0, offset * 613.0));
    return texture2D(random_map, (mod(texel, 1024.0) + 0.5) / 1024.0).rg * 2.0 - 1.0;
}
