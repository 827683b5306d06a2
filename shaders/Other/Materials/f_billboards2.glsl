#version 120
// Cards added over the scene in gl_Color.
//   Mode 0: a soft mote, the blob of texture2d_1
//   Mode 1: the picture of texture2d_1 (the glow) seen through the blob's soft edge
//   texture2d_blob  the soft round mask
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_blob;
uniform float Mode;

varying vec2 uv;

void main() {
    float mask = texture2D(texture2d_blob, uv).r;
    vec3 picture = Mode > 0.5 ? texture2D(texture2d_1, uv).rgb : vec3(1.0);
    vec3 colour = gl_Color.rgb * picture * mask;
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour, 1.0);
}
