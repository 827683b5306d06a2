#version 120
// The general night material (see v_material1).
//   MaterialMultiplier  brightness (0.05 in the light pass)
//   ReflectPass         1 in the mirrored pass: the second output carries the picture itself
//   isMoon              0..1: the moon's own pale light, in gl_Color's strength
//   Emission            0..1: lit from within (the tubes)
//   RedHot              0..1: a red-hot glow
//   isManRunning        the figures: a cool sheen
//   issmallFace, Shatter  faces going dark as they break
//   texture2d_1 noise normals, texture2d_texturedblob surface grain
#include "material_fragment.glsl"
#include "night_lighting.glsl"

uniform sampler2D texture2d_1;
uniform sampler2D texture2d_texturedblob;
uniform float MaterialMultiplier;
uniform float ReflectPass;
uniform float isMoon;
uniform float Emission;
uniform float RedHot;
uniform float isManRunning;
uniform float issmallFace;
uniform float Shatter;

void main() {
    vec3 bump = texture2D(texture2d_1, object_position.xz * 3.0 + object_position.yy * 1.7).rgb * 2.0 - 1.0;
    vec3 n = normalize(normalize(eye_normal) + 0.18 * bump);
    if (!gl_FrontFacing) n = -n;
    float grain = texture2D(texture2d_texturedblob, object_position.xy * 0.9 + object_position.zz * 0.4).r;
    vec3 base = gl_Color.rgb * (0.8 + 0.4 * grain);
    vec3 colour = night_light(base, n, eye_position);
    if (isManRunning > 0.5) colour += vec3(0.05, 0.06, 0.09);
    if (issmallFace > 0.5) colour *= 1.0 - 0.6 * Shatter;
    float glow = 0.0;
    if (isMoon > 0.0) {
        float rim = 1.0 - max(dot(n, normalize(-eye_position)), 0.0);
        vec3 moon = gl_Color.rgb * vec3(1.0, 0.96, 0.85) * (0.75 + 0.35 * grain) * (1.0 - 0.4 * rim * rim);
        colour = mix(colour, moon, isMoon);
        glow = isMoon;
    }
    colour += gl_Color.rgb * Emission * 1.3 + vec3(1.0, 0.35, 0.1) * RedHot;
    glow = max(glow, max(Emission, RedHot));
    colour *= MaterialMultiplier;
    // The moon stays clear of the air between it and us.
    if (isMoon > 0.0) {
        gl_FragData[0] = vec4(colour, 1.0);
        gl_FragData[1] = vec4(colour, 1.0);
        return;
    }
    write_material(colour, ReflectPass > 0.5 ? 1.0 : glow);
}
