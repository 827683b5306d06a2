#version 120
// Round sprites: soft specks (mode 0) or thin-rimmed bubbles (mode 1), added over the scene.
uniform float mode;

varying float fade;

void main() {
    vec2 p = gl_PointCoord * 2.0 - 1.0;
    float r = dot(p, p);
    if (r > 1.0) discard;
    float speck = 1.0 - r;
    float ring = smoothstep(0.55, 0.85, r) * (1.0 - smoothstep(0.85, 1.0, r)) + 0.6 * step(r, 0.06);
    float shape = mode > 0.5 ? ring : speck * speck;
    vec3 colour = gl_Color.rgb * shape * fade;
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * 0.5, 1.0);
}
