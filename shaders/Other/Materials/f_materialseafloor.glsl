#version 120
// Sand and rock under moving caustics, sinking into the water's murk with distance.
//   texture2d_1     ripple normal map (also the caustic pattern)
//   texture2d_2     surface detail (texturedblob)
//   texture2d_cube  night sky, the faint light from above
// Output 1: glow colour (the brightest caustics).
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform samplerCube texture2d_cube;
uniform float ttime;

#include "material_fragment.glsl"
#include "material_lighting.glsl"
varying vec2 caustic_uv;

void main() {
    Lighting lit = moonlight(eye_normal);
    vec3 detail = texture2D(texture2d_2, uv * 4.0).rgb;
    vec3 sand = vec3(0.36, 0.33, 0.26) * (0.6 + 0.5 * detail);
    float c1 = texture2D(texture2d_1, caustic_uv + vec2(0.021, 0.013) * ttime).z;
    float c2 = texture2D(texture2d_1, caustic_uv * 1.37 - vec2(0.017, 0.024) * ttime).z;
    float caustic = pow(clamp(min(c1, c2), 0.0, 1.0), 12.0);
    vec3 sky = textureCube(texture2d_cube, reflect(normalize(eye_position), lit.n)).rgb;
    float light = 0.25 + 0.75 * lit.diffuse;
    vec3 colour = sand * light * 0.5 + sand * sky * 0.4 + vec3(0.35, 0.5, 0.55) * caustic * light;
    colour = fogged(colour);
    gl_FragData[0] = vec4(colour * gl_Color.rgb, 1.0);
    gl_FragData[1] = vec4(vec3(0.35, 0.5, 0.55) * caustic * 0.5, 1.0);
}
