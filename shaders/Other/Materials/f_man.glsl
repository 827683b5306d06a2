#version 120
// Figures on the sea bed: the figure's material lit from above (light 0) with a cold rim from
// behind (light 1), so they read as silhouettes against the deep; blood spreads over them.
//   ExtraLight       0..1: lifts the figure out of the dark (the lit group)
//   texture2d_blood  splatter, projected along the limb's own axes
//   Thettime         0..1: how far the blood has spread
// gl_Color tints the whole figure. Output 1: glow colour (the rim), what the highlight pass blooms.
uniform sampler2D texture2d_blood;
uniform float ExtraLight;
uniform float Thettime;

#include "material_fragment.glsl"
#include "material_lighting.glsl"

void main() {
    Lighting lit = moonlight(eye_normal);
    vec3 back = normalize(gl_LightSource[1].position.xyz);
    vec3 base = gl_FrontMaterial.diffuse.rgb * gl_Color.rgb;
    float wrap = 0.5 + 0.5 * dot(lit.n, lit.l);
    vec3 h = normalize(lit.l + lit.v);
    float specular = pow(max(dot(lit.n, h), 0.0), 24.0);
    float rim = pow(1.0 - max(dot(lit.n, lit.v), 0.0), 3.0) * (0.5 + 0.5 * max(dot(lit.n, back), 0.0));

    vec3 colour = base * (gl_FrontMaterial.ambient.rgb * 0.12 + lit.diffuse * 0.55 + wrap * 0.12);
    colour += gl_FrontMaterial.specular.rgb * specular * 0.6;
    colour += gl_LightSource[1].diffuse.rgb * rim * 0.9;
    colour *= 1.0 + 1.5 * clamp(ExtraLight, 0.0, 1.0);

    vec3 a = abs(lit.n);
    vec2 blood_uv = a.x > a.y ? object_position.yz : object_position.xz;
    float blood = texture2D(texture2d_blood, blood_uv * 3.0).r;
    float spread = smoothstep(1.0 - clamp(Thettime, 0.0, 1.0), 1.0, blood);
    colour = mix(colour, vec3(0.35, 0.02, 0.02) * (0.4 + lit.diffuse), spread);

    colour = fogged(colour);
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(gl_LightSource[1].diffuse.rgb * rim * 0.6, 1.0);
}
