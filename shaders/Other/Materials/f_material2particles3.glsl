#version 120
// Soft round points with a bright core, added over the scene in gl_Color.
void main() {
    vec2 p = gl_PointCoord * 2.0 - 1.0;
    float r = dot(p, p);
    if (r > 1.0) discard;
    float light = (1.0 - r) * (1.0 - r) + 0.5 * step(r, 0.08);
    vec3 colour = gl_Color.rgb * light;
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour, 1.0);
}
