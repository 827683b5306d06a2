#version 120
// Flat credits lettering: the primitive colour, a little darker on the sides.
#include "material_fragment.glsl"

void main() {
    float facing = abs(normalize(eye_normal).z);
    vec3 colour = gl_Color.rgb * (0.5 + 0.5 * facing);
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * 0.5, 1.0);
}
