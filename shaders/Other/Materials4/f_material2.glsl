#version 120
// The second landscape material (see v_material2): weathered plaster, wood and leaves in the
// moonlight, and windows lit from within.
//   Emission            0..1: lit from within (the windows)
//   MaterialMultiplier  brightness (0.05 in the light pass)
//   ReflectPass         1 in the mirrored pass
//   isLeaf              leaves: translucent, a little sheen
//   texture2d_1 noise normals, texture2d_3 weathering, texture2d_flower tiles
#include "material_fragment.glsl"
#include "night_lighting.glsl"

uniform sampler2D texture2d_1;
uniform sampler2D texture2d_3;
uniform sampler2D texture2d_flower;
uniform float Emission;
uniform float MaterialMultiplier;
uniform float ReflectPass;
uniform float isLeaf;
uniform float ttime;

void main() {
    vec3 bump = texture2D(texture2d_1, object_position.xy * 0.8 + object_position.zz * 0.6).rgb * 2.0 - 1.0;
    vec3 n = normalize(normalize(eye_normal) + 0.2 * bump);
    if (!gl_FrontFacing) n = -n;
    float weather = texture2D(texture2d_3, object_position.xy * 0.15 + object_position.zx * 0.1).r;
    float tiles = texture2D(texture2d_flower, object_position.xz * 0.5 + object_position.yy * 0.5).r;
    vec3 base = gl_Color.rgb * (0.7 + 0.45 * weather) * (0.85 + 0.3 * tiles);
    vec3 colour = night_light(base, n, eye_position);
    // Leaves: the moon through them, and a glint that runs over the crown as they turn.
    if (isLeaf > 0.5) {
        float glint = pow(max(sin(dot(object_position, vec3(2.3, 1.7, 2.9)) + ttime * 2.5), 0.0), 8.0);
        colour += base * 0.25 * gl_LightSource[0].diffuse.rgb + vec3(0.1, 0.12, 0.08) * glint;
    }
    float flicker = 0.9 + 0.1 * sin(object_position.x * 3.0 + object_position.y * 2.0);
    colour = mix(colour, gl_Color.rgb * 1.4 * flicker, Emission);
    write_material(colour * MaterialMultiplier, ReflectPass > 0.5 ? 1.0 : 0.7 * Emission);
}
