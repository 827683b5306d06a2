#version 120
// Light shafts, vertex half of the chain's specialised copy: the fixed-function transform plus
// the light search of godrays_light.glsl, done at the quad's four corners instead of at every
// pixel (every pixel would find the same light). The fragment half is the shaft variant itself,
// compiled with GODRAYS_LIGHT_FROM_VERTEX.
// Uniforms:
//   texture2d_1  the highlight image, quarter size (the fragment half's input)
uniform sampler2D texture2d_1;
varying vec3 found_light;
#include "godrays_light.glsl"

void main() {
    gl_Position = ftransform();
    gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    float strength;
    vec2 light = brightest_light(texture2d_1, strength);
    found_light = vec3(light, strength);
}
