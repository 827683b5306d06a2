#version 120
// A soft glowing mote, added over the scene.
varying float brightness;

void main() {
    vec2 p = gl_PointCoord * 2.0 - 1.0;
    float r = dot(p, p);
    if (r > 1.0) discard;
    float glow = exp(-4.0 * r);
    gl_FragData[0] = vec4(gl_Color.rgb * glow * brightness, 1.0);
    gl_FragData[1] = vec4(gl_Color.rgb * glow * brightness * 0.6, 1.0);
}
