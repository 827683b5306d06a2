#version 120
// The crowd lit plainly: gl_Color shaded by the light from above, banded like a woodcut.
#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    float light = 0.3 + 0.7 * moonlight(eye_normal).diffuse;
    float bands = floor(light * 4.0) / 4.0;
    vec3 colour = gl_Color.rgb * bands;
    colour = fogged(colour);
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(0.0, 0.0, 0.0, 1.0);
}
