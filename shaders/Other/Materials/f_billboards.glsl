#version 120
// Glowing jelly-like motes: the soft blob of texture unit 0 in gl_Color, with a faint pulse
// ring, added over the scene.
uniform sampler2D texture2d_1;

varying vec2 uv;
varying float fade;

void main() {
    float blob = texture2D(texture2d_1, uv).r;
    vec2 p = uv * 2.0 - 1.0;
    float ring = smoothstep(0.6, 0.8, length(p)) * (1.0 - smoothstep(0.8, 0.95, length(p)));
    vec3 colour = gl_Color.rgb * (blob + 0.35 * ring) * fade;
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour, 1.0);
}
