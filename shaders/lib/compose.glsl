// The window compose: the final picture from the combined scene picture, drawn into the window.
//
// Steps: motion blur along a screen-space vector; soft focus or depth of field ("Limit");
// broad ambient occlusion; the light shafts and highlight glow; the music pulse; grading per "Mode";
// film grain; the fade carried by the primitive colour.
//
// Uniforms (0 is each one's neutral value):
//   texture2d_1           the combined picture (full size)
//   texture2d_2           scene depth
//   texture2d_3           light shafts and highlight glow (quarter size); Mode 1 only, the other
//                         scenes leave it unbound
//   texture2d_velocities  per-pixel screen velocities: rg = 0.5 + velocity · 2.5 (velocity in
//                         texture units per frame); read only when MotionBlur.z > 0
//   texture2d_random      random vectors; the film grain of Modes 2-4 comes from it
//   Mode                  grading: 1 opening (sea: cool blue-green), 2 toys (warm, saturated),
//                         3 middle (desaturated, hard contrast), 4 final (soft, lifted blacks)
//   ttime                 scene clock, seconds: animates the grain
//   Limit                 blur amount 0..1: 0 sharp, 1 a blur of about 6 pixels
//   WhichBlur             0: Limit blurs the whole picture (Mode 2: a miniature lens instead, a
//                         sharp band across the middle with the blur growing towards the top and
//                         bottom, so the toys read as small things seen close up); 1: Limit blurs
//                         with distance (depth of field: near things stay sharp)
//   MotionBlur            xy: motion-blur vector in texture units (the streak spans it, centred
//                         on the pixel); z: weight of the per-pixel velocities added to it
//   TheVelocity           xy: a camera-motion vector added to MotionBlur.xy
//   isMiddleScene         radial zoom blur, its length in pixels at the screen edge
//   Flo                   Mode 1: extra strength of shafts and glow, 0..1 (added with 0.5 + Flo)
//   ShaftWeight           Mode 1: 1 when this frame's highlight and shaft passes filled
//                         texture2d_3, 0 when it holds an older frame's (it then adds nothing)
//   PosY                  Mode 1: camera height in the water, 0..1; 0 deepens the sea tint,
//                         1 leaves the colours as they are
//   SetBlur               Modes 2-4: 1 adds a glow around the bright parts of the picture itself
//   DSP                   music level 0..1: brightens the picture by up to 30 per cent
//   gl_Color (grey)       the fade. Modes 2-4: 0.5 is the picture as it is, lower fades towards
//                         black (0 = black), higher towards white (1 = white). Mode 1: 0 is the
//                         picture as it is, 1 fully faded to black.
//
// Defined before inclusion: COMPOSE_MOTION_TAPS (int), and optionally COMPOSE_DEFOCUS,
// COMPOSE_DEPTH_SHADING (with SSAO_SAMPLES and SSAO_RADIUS, after including ssao.glsl),
// COMPOSE_GLOW to switch those steps on.
//
// The chain's specialised copies (compose_to_window) add settings that are fixed for a frame:
// COMPOSE_FIXED_MODE (the Mode), COMPOSE_STILL (the motion streak is zero: one read),
// COMPOSE_SHARP ("Limit" <= 0: no soft focus), COMPOSE_NO_GLOW ("SetBlur" <= 0). Each leaves out
// only work whose result the uniforms already made neutral; on a software rasteriser even a
// branch that is never taken costs, so the copies are cheaper for the same picture.
//
// Two more trade a trace of the picture for time. COMPOSE_SHORT_STREAK: the streak is the same
// everywhere and under a pixel long, and two reads stand for the taps. The broad occlusion, the
// costliest step and the softest: the copies draw it beforehand at a quarter of the width and
// height (COMPOSE_SHADING_PASS, the ratio of the sizes: main writes the shading of the
// render-size pixel at each of its pixels' centres) and read it back scaled up
// (COMPOSE_SHADING_READ, texture2d_shading); a sixteenth of the samples, and the picture differs
// only by the grain of the occlusion and a few pixels at the edges of near objects. The copies
// also read the broad occlusion's centre texels through SSAO_TEXEL_MAP (ssao.glsl).
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_3;
uniform sampler2D texture2d_velocities;
uniform sampler2D texture2d_random;
uniform sampler2D texture2d_shading;
#ifdef COMPOSE_FIXED_MODE
#define Mode COMPOSE_FIXED_MODE
#else
uniform int Mode;
#endif
uniform float ttime;
uniform float Limit;
uniform float WhichBlur;
uniform vec3 MotionBlur;
uniform vec3 TheVelocity;
uniform float isMiddleScene;
uniform float Flo;
uniform float ShaftWeight;
uniform float PosY;
uniform float SetBlur;
uniform float DSP;

vec3 motion_blurred(vec2 uv, vec2 pixel) {
#ifdef COMPOSE_STILL
    return texture2D(texture2d_1, uv).rgb;
#elif defined(COMPOSE_SHORT_STREAK)
    // Two reads spread as the taps are (the same mean square distance from the pixel): over less
    // than a pixel the taps sample one straight stretch of the linear filter, which two reads
    // average as well as eight.
    vec2 streak = (MotionBlur.xy + TheVelocity.xy) *
                  sqrt(float(COMPOSE_MOTION_TAPS + 1) / (12.0 * float(COMPOSE_MOTION_TAPS - 1)));
    return 0.5 * (texture2D(texture2d_1, uv - streak).rgb + texture2D(texture2d_1, uv + streak).rgb);
#else
    vec2 streak = MotionBlur.xy + TheVelocity.xy;
    if (MotionBlur.z > 0.0)
        streak += (texture2D(texture2d_velocities, uv).rg - 0.5) / 2.5 * MotionBlur.z;
    streak += (uv - 0.5) * 2.0 * isMiddleScene * pixel;
    vec3 sum = vec3(0.0);
    for (int i = 0; i < COMPOSE_MOTION_TAPS; ++i) {
        float f = float(i) / float(COMPOSE_MOTION_TAPS - 1) - 0.5;
        sum += texture2D(texture2d_1, uv + streak * f).rgb;
    }
    return sum / float(COMPOSE_MOTION_TAPS);
#endif
}

vec3 defocused(vec3 sharp, vec2 uv, vec2 pixel) {
#if defined(COMPOSE_DEFOCUS) && !defined(COMPOSE_SHARP)
    float amount = clamp(Limit, 0.0, 1.0);
    if (WhichBlur > 0.5) {
        float z = view_distance(texture2D(texture2d_2, uv).r);
        amount *= clamp((z - 2.0) / 20.0, 0.0, 1.0);
    } else if (Mode == 2) {
        amount *= smoothstep(0.12, 0.5, abs(uv.y - 0.45));
    }
    if (amount <= 0.0) return sharp;
    vec3 ring = vec3(0.0);
    for (int i = 0; i < 8; ++i) {
        float a = float(i) * 0.7853982 + 0.3;
        ring += texture2D(texture2d_1, uv + vec2(cos(a), sin(a)) * 6.0 * amount * pixel).rgb;
    }
    return mix(sharp, ring / 8.0, 0.8 * amount);
#else
    return sharp;
#endif
}

// Broad ambient occlusion over a wide radius (ssao.glsl with the variant's SSAO_RADIUS), its
// spiral turned by a per-pixel hash so it needs no random texture; a gentle third of the depth
// the occlusion combine gives.
float depth_shading(vec2 uv, vec2 pixel) {
#if defined(COMPOSE_DEPTH_SHADING) && defined(COMPOSE_SHADING_READ)
    return texture2D(texture2d_shading, uv).r;
#elif defined(COMPOSE_DEPTH_SHADING)
    float a = fract(sin(dot(gl_FragCoord.xy, vec2(12.9898, 78.233))) * 43758.5453) * 6.2831853;
    return 1.0 - 0.35 * (1.0 - ambient_occlusion_turned(texture2d_2, uv, pixel, vec2(cos(a), sin(a))));
#else
    return 1.0;
#endif
}

vec3 glow(vec2 uv, vec2 pixel) {
#if defined(COMPOSE_GLOW) && !defined(COMPOSE_NO_GLOW)
    if (SetBlur <= 0.0) return vec3(0.0);
    vec3 sum = vec3(0.0);
    for (int i = 0; i < 8; ++i) {
        float a = float(i) * 0.7853982;
        vec3 c = texture2D(texture2d_1, uv + vec2(cos(a), sin(a)) * 10.0 * pixel).rgb;
        sum += c * smoothstep(0.7, 1.0, luma(c));
    }
    return sum / 8.0 * 0.6 * SetBlur;
#else
    return vec3(0.0);
#endif
}

vec3 grade(vec3 c, vec2 uv) {
    float grey = luma(c);
    if (Mode == 1) {
        vec3 deep = vec3(0.78, 0.96, 1.08);
        c *= mix(deep, vec3(1.0), clamp(PosY, 0.0, 1.0));
        c = mix(vec3(grey), c, 0.9);
    } else if (Mode == 2) {
        c = mix(vec3(grey), c, 1.2) * vec3(1.06, 1.0, 0.9);
    } else if (Mode == 3) {
        c = mix(vec3(grey), c, 0.55);
        c = c * c * (3.0 - 2.0 * c);
    } else if (Mode == 4) {
        c = c * 1.15 / (1.0 + 0.2 * c) + vec3(0.015, 0.02, 0.035);
    }
    float edge = length(uv - 0.5);
    return c * (1.0 - 0.35 * smoothstep(0.35, 0.8, edge));
}

float grain(vec2 uv) {
    if (Mode == 1) {
        float n = fract(sin(dot(gl_FragCoord.xy + fract(ttime * 13.7) * 97.0, vec2(12.9898, 78.233))) * 43758.5453);
        return (n - 0.5) * 0.02;
    }
    return random_vector(texture2d_random, fract(ttime * 7.31)).x * 0.012;
}

vec3 faded(vec3 c) {
    float f = clamp(gl_Color.r, 0.0, 1.0);
    if (Mode == 1) return c * (1.0 - f);
    if (f < 0.5) return c * (f * 2.0);
    return mix(c, vec3(1.0), (f - 0.5) * 2.0);
}

#ifdef COMPOSE_SHADING_PASS
void main() {
    // At the centre of a render-size pixel (the first of the middle two across this pixel), as
    // the full-size compose samples it.
    vec2 pixel = pixel_size() / COMPOSE_SHADING_PASS;
    gl_FragColor = vec4(vec3(depth_shading(gl_TexCoord[0].st - 0.5 * pixel, pixel)), 1.0);
}
#else
void main() {
    vec2 uv = gl_TexCoord[0].st;
    vec2 pixel = pixel_size();
    vec3 c = defocused(motion_blurred(uv, pixel), uv, pixel);
    c *= depth_shading(uv, pixel);
    if (Mode == 1) c += texture2D(texture2d_3, uv).rgb * (0.5 + clamp(Flo, 0.0, 1.0)) * ShaftWeight;
    else c += glow(uv, pixel);
    c *= 1.0 + 0.3 * clamp(DSP, 0.0, 1.0);
    c = grade(clamp(c, 0.0, 1.0), uv) + grain(uv);
    gl_FragColor = vec4(clamp(faded(clamp(c, 0.0, 1.0)), 0.0, 1.0), 1.0);
}
#endif
