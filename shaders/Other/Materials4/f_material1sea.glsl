#version 120
// The wet ground: dark flagstones (texture2d_flower, by world position) with puddles that mirror
// the scene while it is mirrored (texture2d_reflection, by screen position, rippled by the
// noise normals).
//   ReflectLevel        1 while the mirrored picture is fresh, 0 after
//   ScreenSize          xy: render size in pixels
//   SkyLevel            the sky's brightness, which the wet stones catch
//   MaterialMultiplier  brightness (0.05 in the light pass)
#include "material_fragment.glsl"
#include "night_lighting.glsl"

uniform sampler2D texture2d_1;
uniform sampler2D texture2d_flower;
uniform sampler2D texture2d_reflection;
uniform float ReflectLevel;
uniform vec3 ScreenSize;
uniform float SkyLevel;
uniform float MaterialMultiplier;
uniform float ttime;

void main() {
    vec2 ground = object_position.xz;
    vec3 ripple = texture2D(texture2d_1, ground * 0.35 + vec2(0.0, ttime * 0.01)).rgb * 2.0 - 1.0;
    float stones = texture2D(texture2d_flower, ground * 0.25).r;
    float puddle = smoothstep(0.45, 0.6, texture2D(texture2d_1, ground * 0.05).b);
    vec3 n = normalize(normalize(eye_normal) + (0.25 - 0.2 * puddle) * ripple.xzy);
    vec3 base = gl_Color.rgb * (0.55 + 0.6 * stones);
    vec3 colour = night_light(base, n, eye_position);
    float facing = max(dot(normalize(eye_normal), normalize(-eye_position)), 0.0);
    float fresnel = 0.25 + 0.6 * pow(1.0 - facing, 4.0);
    vec2 screen = gl_FragCoord.xy / ScreenSize.xy + ripple.xy * 0.006;
    vec3 mirrored = texture2D(texture2d_reflection, screen).rgb;
    float wet = mix(0.2, 0.7, puddle) * fresnel;
    colour += mirrored * wet * ReflectLevel;
    colour += vec3(0.02, 0.025, 0.04) * SkyLevel * wet;
    write_material(colour * MaterialMultiplier, 0.0);
}
