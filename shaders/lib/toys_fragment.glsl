// Fragment stage shared by the toys scene's materials (their vertex stage is toys_vertex.glsl):
// a night-blue toy world lit by one moon that casts shadows through the light pass's depth.
//
// Mirrored things (drawn below the chess board's top, y = -1.8, in the mirrored pass) are lit
// and shadowed as the things they mirror, and their colour goes to the second output, which the
// board reads back as its reflection; everything else sends only its glow there.
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 world_position;
varying vec3 object_position;
varying vec2 uv;
varying vec4 clip_position;

const float toys_mirror_y = -1.8;
const vec3 toys_night = vec3(0.0, 0.03, 0.08);
const vec3 toys_ambient = vec3(0.22, 0.27, 0.44);
const vec3 toys_moon = vec3(1.05, 1.08, 1.2);

bool toys_mirrored() {
    return world_position.y < toys_mirror_y - 0.05;
}

// The world position and normal of what this fragment shows (mirrored back when it is a
// reflection).
vec3 toys_world() {
    vec3 w = world_position;
    if (toys_mirrored()) w.y = 2.0 * toys_mirror_y - w.y;
    return w;
}
vec3 toys_normal() {
    vec3 n = normalize(mat3(gl_TextureMatrix[3]) * normalize(eye_normal));
    if (toys_mirrored()) n.y = -n.y;
    return n;
}
vec3 toys_light_direction() {
    return normalize(vec3(0.3, 0.9, 0.3));
}

// 1 lit, 0 in the shadow of something the light pass drew. Four taps soften the edge.
float toys_shadow(sampler2D light_depth, vec3 world) {
    vec4 p = gl_TextureMatrix[2] * vec4(world, 1.0);
    if (p.w <= 0.0) return 1.0;
    vec3 q = p.xyz / p.w;
    if (q.x <= 0.0 || q.x >= 1.0 || q.y <= 0.0 || q.y >= 1.0 || q.z >= 1.0) return 1.0;
    float lit = 0.0;
    for (int i = 0; i < 4; ++i) {
        vec2 o = vec2(i == 1 ? 1.0 : i == 3 ? -1.0 : 0.0, i == 0 ? 1.0 : i == 2 ? -1.0 : 0.0) * 0.0012;
        lit += texture2D(light_depth, q.xy + o).r + 0.00012 < q.z ? 0.0 : 1.0;
    }
    return lit * 0.25;
}

// Painted wood: diffuse moonlight, the blue night around, a lacquer highlight and a slight grain.
vec3 toys_lit(vec3 paint, vec3 n, float shadow, float gloss) {
    vec3 l = toys_light_direction();
    vec3 v = normalize(mat3(gl_TextureMatrix[3]) * normalize(-eye_position));
    if (toys_mirrored()) v.y = -v.y;
    float diffuse = max(dot(n, l), 0.0) * shadow;
    float sky = 0.55 + 0.45 * n.y;
    float specular = pow(max(dot(reflect(-l, n), v), 0.0), 24.0) * gloss * shadow;
    float rim = pow(1.0 - max(dot(n, v), 0.0), 3.0) * 0.55;
    return paint * (toys_ambient * sky + toys_moon * diffuse) + toys_moon * specular + vec3(0.2, 0.28, 0.5) * rim * paint;
}

// The night haze over distance; fog 1 is light, larger is thicker.
vec3 toys_fogged(vec3 colour, float fog) {
    float haze = 1.0 - exp(-0.0022 * fog * length(eye_position));
    return mix(colour, toys_night, clamp(haze, 0.0, 1.0));
}

void write_toys(vec3 colour, vec3 glow) {
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(toys_mirrored() ? colour : glow, 1.0);
}
