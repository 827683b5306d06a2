#version 120
// A plain 3 x 3 box blur, one target pixel apart.
// Uniforms:
//   texture2d_1  the picture to blur
uniform sampler2D texture2d_1;
#include "post_common.glsl"

void main() {
    vec2 uv = gl_TexCoord[0].st;
    vec2 pixel = pixel_size();
    vec3 sum = vec3(0.0);
    for (int y = -1; y <= 1; ++y)
        for (int x = -1; x <= 1; ++x) sum += texture2D(texture2d_1, uv + vec2(float(x), float(y)) * pixel).rgb;
    gl_FragColor = vec4(sum / 9.0, 1.0);
}
