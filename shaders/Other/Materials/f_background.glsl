#version 120
// The landscape behind the stage: a dark mass whose edges catch the night sky, fading into the
// water. gl_Color is the mass's own colour (black makes a silhouette).
//   Flag            1: the surface carries cloud shadows drifting over it
//   texture2d_1     ripple normal map (surface breakup)
//   texture2d_2     rock texture
//   texture2d_3     cloud shadows
//   texture2d_cube  night sky for the rim
//   texture2d_4     soft clouds for the cloud shadows' second layer
// Output 1: glow colour (the rim), what the highlight pass blooms.
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_3;
uniform samplerCube texture2d_cube;
uniform sampler2D texture2d_4;
uniform float Flag;
uniform float ttime;

#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    vec3 bump = texture2D(texture2d_1, object_position.xz * 0.35).xyz * 2.0 - 1.0;
    Lighting lit = moonlight(eye_normal + 0.25 * vec3(bump.x, bump.y, 0.0));
    vec3 rock = texture2D(texture2d_2, uv * 3.0).rgb;
    vec3 colour = gl_Color.rgb + rock * (0.05 + 0.16 * lit.diffuse);
    if (Flag > 0.5) {
        float clouds = texture2D(texture2d_3, object_position.xz * 0.05 + vec2(0.01, 0.004) * ttime).r
                     * texture2D(texture2d_4, object_position.xz * 0.03 - vec2(0.006, 0.002) * ttime).r;
        colour *= 0.6 + 0.8 * clouds;
    }
    float rim = pow(1.0 - max(dot(lit.n, lit.v), 0.0), 4.0);
    vec3 sky = textureCube(texture2d_cube, reflect(-lit.v, lit.n)).rgb;
    colour += sky * rim * 0.8 + vec3(0.05, 0.12, 0.16) * rim;
    colour = fogged(colour);
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(sky * rim * 0.3, 1.0);
}
