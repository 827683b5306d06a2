#version 120
// The credits lettering (see v_material3): warm metal lit by the glow behind it, with a band of
// light running along each line.
//   isCredits   1: the credits look
//   Appear      0..1: the line comes in
//   Level       0..1: goes down with the music at the end
//   Shimmer     the line's phase
//   ScreenSize  xy: render size, for reading the glow (texture2d_glow) behind the letter
#include "material_fragment.glsl"
#include "night_lighting.glsl"

uniform sampler2D texture2d_1;
uniform sampler2D texture2d_glow;
uniform float isCredits;
uniform float Appear;
uniform float Level;
uniform float Shimmer;
uniform float ttime;
uniform vec3 ScreenSize;

void main() {
    vec3 n = normalize(eye_normal);
    if (!gl_FrontFacing) n = -n;
    vec3 view = normalize(-eye_position);
    vec3 behind = texture2D(texture2d_glow, gl_FragCoord.xy / ScreenSize.xy).rgb;
    float facing = max(dot(n, view), 0.0);
    vec3 colour = gl_Color.rgb * (0.35 + 0.75 * facing) + behind * (1.0 - facing) * 1.5;
    float band = smoothstep(0.9, 1.0, sin(object_position.x * 0.8 - ttime * 1.3 + Shimmer * 6.28) * 0.5 + 0.5);
    colour += vec3(1.0, 0.85, 0.6) * band * 0.35 * isCredits;
    float level = Appear * Level;
    colour *= level;
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * 0.6, 1.0);
}
