#version 120
// The sea surface from beneath: inside Snell's window the night sky (cube map) and the moon
// (the background pre-pass, texture2d_3) show through; outside it the surface mirrors the dark
// water below (total internal reflection). From above it reflects the night sky.
//   texture2d_1     normal map of the ripples (tangent space, z along the surface normal)
//   texture2d_2     the light camera's depth (shadow of anything between moon and sea)
//   texture2d_3     background pre-pass: the moon's glow and drifting cloud blots, laid over
//                   the sky about the moon's direction (light 0)
//   texture2d_blob  soft pool of moonlight, thrown on the water through the projector
//   texture2d_cube  night sky (authored with +y up; the world's up is -y)
//   Light           0..1 fade-in of the moonlight
//   PosY            depth of the camera: deeper water swallows more of the sky
// Light 0 is the moon's direction. Output 0: colour. Output 1: glow colour (the sky window
// and the moon), what the highlight and light-shaft passes pick up.
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_3;
uniform sampler2D texture2d_blob;
uniform samplerCube texture2d_cube;
uniform float ttime;
uniform float Light;
uniform float PosY;
uniform float BigSea;

varying vec3 eye_position;
varying vec3 world_normal;
varying vec3 world_to_eye;
varying vec3 world_light;
varying vec2 ripple_uv;
varying vec4 projector_uv;

const vec3 deep_water = vec3(0.004, 0.03, 0.05);
const vec3 shallow_water = vec3(0.02, 0.1, 0.12);
// The water column under the window, lit by the sky.
const vec3 sky_glow = vec3(0.1, 0.24, 0.3);

vec3 sky(vec3 direction) {
    return textureCube(texture2d_cube, vec3(direction.x, -direction.y, direction.z)).rgb;
}

void main() {
    vec3 r1 = texture2D(texture2d_1, ripple_uv + vec2(0.013, 0.007) * ttime).xyz * 2.0 - 1.0;
    vec3 r2 = texture2D(texture2d_1, ripple_uv * 2.7 - vec2(0.006, 0.017) * ttime).xyz * 2.0 - 1.0;
    vec2 ripple = (r1.xy + 0.6 * r2.xy) * (BigSea > 0.5 ? 0.35 : 0.2);
    vec3 n = normalize(world_normal + vec3(ripple.x, 0.0, ripple.y));  // points up (-y)
    vec3 to_moon = normalize(world_light);

    vec3 to_eye = normalize(world_to_eye);
    float distance = length(eye_position);
    bool from_below = dot(to_eye, n) < 0.0;

    vec3 colour;
    vec3 glow = vec3(0.0);
    if (from_below) {
        // Looking up: refract out of the water (1.33 -> 1) about the downward-facing normal.
        vec3 incoming = -to_eye;
        vec3 out_ray = refract(incoming, -n, 1.33);
        if (dot(out_ray, out_ray) < 1e-4) {
            // Total internal reflection: the surface mirrors the dark water below.
            vec3 mirrored = reflect(incoming, -n);
            colour = mix(shallow_water, deep_water, clamp(mirrored.y, 0.0, 1.0)) * (1.0 + 0.6 * ripple.x);
        } else {
            // The pre-pass picture (moon glow and blots) is laid over the sky about the moon's
            // direction, fading out toward its borders.
            vec2 across = (out_ray.xz - to_moon.xz) * 1.2;
            float frame = 1.0 - smoothstep(0.3, 0.5, max(abs(across.x), abs(across.y)));
            vec3 moon = texture2D(texture2d_3, across + 0.5).rgb * frame;
            // Transmission falls off toward the window's rim (the critical angle, cos 0.66).
            float edge = smoothstep(0.66, 0.85, dot(incoming, n));
            float glint = pow(max(dot(out_ray, to_moon), 0.0), 60.0) * Light;
            vec3 through = sky(out_ray) * 2.0 + sky_glow + moon * 1.0 + vec3(0.5, 0.55, 0.6) * glint;
            colour = mix(shallow_water, through, edge);
            glow = (sky_glow * 0.6 + moon * 0.8 + vec3(0.4, 0.45, 0.5) * glint) * edge;
        }
    } else {
        // From above: the night sky mirrored, Fresnel-weighted over the dark water.
        vec3 mirrored = reflect(-to_eye, n);
        float fresnel = 0.02 + 0.98 * pow(1.0 - max(dot(to_eye, n), 0.0), 5.0);
        colour = mix(deep_water, sky(mirrored) * 1.3, fresnel);
    }

    // Moonlight thrown on the water through the projector, unless something stands in its way.
    vec3 projected = projector_uv.xyz / max(projector_uv.w, 1e-4);
    float inside = step(0.0, projector_uv.w) * step(0.0, projected.x) * step(projected.x, 1.0)
                 * step(0.0, projected.y) * step(projected.y, 1.0);
    float blocker = texture2D(texture2d_2, projected.xy).r;
    float lit = projected.z > blocker + 0.002 ? 0.45 : 1.0;
    float pool = texture2D(texture2d_blob, projected.xy).r * inside * lit * Light;
    colour += vec3(0.05, 0.08, 0.1) * pool;
    glow += vec3(0.03, 0.05, 0.06) * pool;

    // Water between the camera and the surface: the deeper the camera, the murkier.
    float murk = clamp(1.0 - exp(-distance * (0.004 + 0.008 * PosY)), 0.0, 0.95);
    colour = mix(colour, deep_water, murk);
    glow *= 1.0 - murk;

    gl_FragData[0] = vec4(colour * gl_Color.rgb, 1.0);
    gl_FragData[1] = vec4(glow, 1.0);
}
