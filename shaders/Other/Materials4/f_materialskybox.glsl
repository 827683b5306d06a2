#version 120
// The night sky: deep blue overhead, a dusky band at the horizon, slow clouds, stars, the moon's
// halo, and, late, the glow (texture2d_glow, by screen position) rising behind the credits.
//   SkyLevel       0..1 the sky's brightness (falls to black at the end)
//   Dusk           0..1 the warm band at the horizon
//   MoonLevel      0..1 the moon's halo
//   MoonDirection  towards the moon
//   GlowLevel      0..1 the glow behind the credits
//   ScreenSize     xy: render size in pixels
//   Background     the pass's clear colour. The sky is added to the picture (so that what lies in
//                  front of it without depth stays visible) and takes the clear colour off: over
//                  the bare background the sum is the sky, or the clear colour where that is
//                  brighter.
//   texture2d_1 clouds, texture2d_2 wisps
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_glow;
uniform float SkyLevel;
uniform float Dusk;
uniform float MoonLevel;
uniform vec3 MoonDirection;
uniform float GlowLevel;
uniform vec3 ScreenSize;
uniform vec3 Background;
uniform float ttime;

varying vec3 direction;

void main() {
    vec3 d = normalize(direction);
    float up = clamp(d.y, -0.2, 1.0);
    vec3 zenith = vec3(0.005, 0.012, 0.04);
    vec3 horizon = mix(vec3(0.03, 0.05, 0.1), vec3(0.12, 0.07, 0.06), Dusk);
    vec3 sky = mix(horizon, zenith, smoothstep(0.0, 0.5, up));
    vec2 plane = d.xz / max(d.y + 0.15, 0.05);
    float clouds = texture2D(texture2d_1, plane * 0.08 + vec2(ttime * 0.004, 0.0)).r;
    float wisps = texture2D(texture2d_2, plane * 0.21 - vec2(0.0, ttime * 0.006)).r;
    float cover = smoothstep(0.35, 0.85, clouds * 0.7 + wisps * 0.4) * smoothstep(-0.05, 0.2, d.y);
    vec3 stars_at = floor(d * 260.0);
    float star = step(0.9965, fract(sin(dot(stars_at, vec3(12.9898, 78.233, 37.719))) * 43758.5453));
    float twinkle = 0.6 + 0.4 * sin(ttime * 3.0 + dot(stars_at, vec3(1.0)));
    sky += vec3(0.8, 0.85, 1.0) * star * twinkle * (1.0 - cover) * smoothstep(0.05, 0.3, d.y);
    float moon = max(dot(d, normalize(MoonDirection)), 0.0);
    vec3 halo = vec3(0.35, 0.38, 0.45) * (pow(moon, 60.0) * 0.8 + pow(moon, 8.0) * 0.12) * MoonLevel;
    sky = mix(sky, vec3(0.09, 0.095, 0.12) + halo * 0.6, cover * 0.8) + halo;
    vec3 colour = sky * SkyLevel;
    // The glow rises behind the middle of the picture, where the credits stand.
    vec2 screen = gl_FragCoord.xy / ScreenSize.xy;
    float middle = 1.0 - smoothstep(0.15, 0.7, length((screen - vec2(0.5, 0.45)) * vec2(1.3, 1.0)));
    vec3 glow = texture2D(texture2d_glow, screen).rgb * GlowLevel * middle;
    colour += glow * 0.8;
    gl_FragData[0] = vec4(max(colour - Background, 0.0), 1.0);
    gl_FragData[1] = vec4(max(glow * 0.5 + halo * 0.5 - Background, 0.0), 1.0);
}
