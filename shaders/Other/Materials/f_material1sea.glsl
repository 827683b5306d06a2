#version 120
// The sea surface from beneath: inside Snell's window the night sky (cube map) and the moon's
// glow (the background pre-pass, texture2d_3) show through; outside it the surface mirrors the
// dark water below (total internal reflection). From above it reflects the night sky.
//   texture2d_1     normal map of the ripples (tangent space, z along the surface normal)
//   texture2d_2     the light camera's depth (shadow of anything between moon and sea)
//   texture2d_3     background pre-pass: the moon glow and drifting cloud blots, screen aligned
//   texture2d_blob  soft pool of moonlight, thrown on the water through the projector
//   texture2d_cube  night sky
//   Light           0..1 fade-in of the moonlight
//   PosY            depth of the camera: deeper water swallows more of the sky
// Output 0: colour. Output 1: glow colour (the sky window and the moon's pool), what the
// highlight and light-shaft passes pick up.
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
varying vec2 ripple_uv;
varying vec4 projector_uv;
varying vec4 screen_uv;

const vec3 deep_water = vec3(0.004, 0.03, 0.05);
const vec3 shallow_water = vec3(0.02, 0.11, 0.15);

void main() {
    vec3 r1 = texture2D(texture2d_1, ripple_uv + vec2(0.013, 0.007) * ttime).xyz * 2.0 - 1.0;
    vec3 r2 = texture2D(texture2d_1, ripple_uv * 2.7 - vec2(0.006, 0.017) * ttime).xyz * 2.0 - 1.0;
    vec2 ripple = (r1.xy + 0.6 * r2.xy) * (BigSea > 0.5 ? 0.35 : 0.2);
    vec3 n = normalize(world_normal + vec3(ripple.x, 0.0, ripple.y));  // points up (-y)

    vec3 to_eye = normalize(world_to_eye);
    float distance = length(eye_position);
    bool from_below = dot(to_eye, n) < 0.0;

    vec3 colour;
    float glow = 0.0;
    vec2 screen = screen_uv.xy / screen_uv.w * 0.5 + 0.5;
    if (from_below) {
        // Looking up: refract out of the water (1.33 -> 1) about the downward-facing normal.
        vec3 incoming = -to_eye;
        vec3 out_ray = refract(incoming, -n, 1.33);
        if (dot(out_ray, out_ray) < 1e-4) {
            // Total internal reflection: the surface mirrors the dark water below.
            vec3 mirrored = reflect(incoming, -n);
            colour = mix(shallow_water, deep_water, clamp(mirrored.y, 0.0, 1.0)) * 1.4;
        } else {
            vec3 sky = textureCube(texture2d_cube, out_ray).rgb;
            vec3 moon = texture2D(texture2d_3, screen + ripple * 0.06).rgb;
            float window_edge = smoothstep(0.0, 0.35, -dot(incoming, n));
            colour = mix(shallow_water, sky * 1.6 + moon * 1.3, window_edge);
            glow = window_edge * dot(moon, vec3(0.33)) * 1.5;
        }
    } else {
        // From above: the night sky mirrored, Fresnel-weighted over the dark water.
        vec3 mirrored = reflect(-to_eye, n);
        float fresnel = 0.02 + 0.98 * pow(1.0 - max(dot(to_eye, n), 0.0), 5.0);
        colour = mix(deep_water, textureCube(texture2d_cube, mirrored).rgb * 1.4, fresnel);
    }

    // Moonlight thrown on the water through the projector, unless something stands in its way.
    vec3 projected = projector_uv.xyz / projector_uv.w;
    float inside = step(0.0, projector_uv.w) * step(0.0, projected.x) * step(projected.x, 1.0)
                 * step(0.0, projected.y) * step(projected.y, 1.0);
    float blocker = texture2D(texture2d_2, projected.xy).r;
    float lit = inside * (projected.z > blocker + 0.002 ? 0.45 : 1.0);
    float pool = texture2D(texture2d_blob, projected.xy).r * inside;
    colour += vec3(0.25, 0.32, 0.4) * pool * lit * Light;
    glow += 0.4 * pool * lit * Light;

    // Sparkle where ripples catch the light.
    float sparkle = pow(max(r1.z * r2.z, 0.0), 40.0) * Light;
    colour += vec3(0.6, 0.7, 0.8) * sparkle;

    // Water between the camera and the surface: the deeper the camera, the murkier.
    float murk = 1.0 - exp(-distance * (0.004 + 0.01 * PosY));
    colour = mix(colour, deep_water, clamp(murk, 0.0, 0.95));

    gl_FragData[0] = vec4(colour * gl_Color.rgb, 1.0);
    gl_FragData[1] = vec4(colour * clamp(glow, 0.0, 1.0), 1.0);
}
