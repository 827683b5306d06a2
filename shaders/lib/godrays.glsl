// Light shafts: every pixel of the highlight image gathers samples along the line towards the
// light's position on screen, each further sample weaker, so bright areas smear outwards into
// rays. The result is the highlight image plus its rays.
//
// The light position: with GODRAYS_FIXED_LIGHT defined, that vec2 (texture units); otherwise the
// brightness-weighted centre of the highlight image, found from a 16 x 12 grid of samples (the
// highlight image is already blurred wide enough for the grid to catch a small light), so the
// shafts follow whatever shines brightest. A dark highlight image gives no shafts.
//
// With GODRAYS_LIGHT_FROM_VERTEX defined (the chain's specialised copy) the vertex half
// v_godrays has searched for the light once per quad corner and hands it down in found_light.
//
// Uniforms:
//   texture2d_1  the highlight image (quarter size)
//   Limit        0..1, lengthens the shafts (0 = the variant's own length); only passes that set
//                it use it
//
// Defined before inclusion: GODRAYS_SAMPLES (int), GODRAYS_LENGTH (fraction of the way to the
// light covered), GODRAYS_DECAY (per-sample falloff), GODRAYS_GAIN (brightness of the rays),
// GODRAYS_TINT (vec3).
uniform sampler2D texture2d_1;
uniform float Limit;

#if defined(GODRAYS_LIGHT_FROM_VERTEX)
varying vec3 found_light;  // xy: the light's position, z: its strength
vec2 light_position(out float strength) {
    strength = found_light.z;
    return found_light.xy;
}
#elif defined(GODRAYS_FIXED_LIGHT)
vec2 light_position(out float strength) {
    strength = 1.0;
    return GODRAYS_FIXED_LIGHT;
}
#else
#include "godrays_light.glsl"
vec2 light_position(out float strength) {
    return brightest_light(texture2d_1, strength);
}
#endif

void main() {
    vec2 uv = gl_TexCoord[0].st;
    vec3 base = texture2D(texture2d_1, uv).rgb;
    float strength;
    vec2 light = light_position(strength);
    vec2 step_uv = (light - uv) * (GODRAYS_LENGTH * (1.0 + clamp(Limit, 0.0, 1.0))) /
                   float(GODRAYS_SAMPLES);
    vec3 rays = vec3(0.0);
    float weight = 1.0;
    vec2 at = uv;
    for (int i = 0; i < GODRAYS_SAMPLES; ++i) {
        at += step_uv;
        rays += texture2D(texture2d_1, at).rgb * weight;
        weight *= GODRAYS_DECAY;
    }
    // Shafts thin out with distance from the light (half strength about a sixth of the screen
    // away), so a bright light lights its surroundings, not the whole picture.
    float falloff = exp(-4.0 * length(light - uv));
    rays *= GODRAYS_GAIN * strength * falloff / float(GODRAYS_SAMPLES);
    gl_FragColor = vec4(base + rays * GODRAYS_TINT, 1.0);
}
