// The paper-cut world of the middle scene: what its three materials share. Vertex side hands on
// eye-space position and normal, the object-space position (the paper's grain follows the
// piece, not the screen) and the light's projective coordinates; fragment side lights paper and
// card with a stage lamp (gl_LightSource[0], set in eye space), shades with the lamp's depth
// map and writes the two outputs of the chain.
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec4 light_position;

#ifdef PAPER_VERTEX
// `to_light` takes an eye-space point to the lamp's depth-texture coordinates.
void emit_paper_vertex(vec4 vertex, mat4 to_light) {
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    object_position = vertex.xyz;
    light_position = to_light * eye;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
#else
uniform sampler2D texture2d_2;      // the lamp's depth map
uniform sampler2D texture2d_paper;  // paper fibre

// 1 where the lamp sees the point, down to 0 in the shadow of something nearer to it; four
// taps soften the edge the way a shadow on paper is soft.
float lamp_light(vec4 projected) {
    vec3 p = projected.xyz / projected.w;
    if (projected.w <= 0.0 || p.x < 0.0 || p.x > 1.0 || p.y < 0.0 || p.y > 1.0) return 1.0;
    float bias = 0.0004;
    vec2 step = vec2(1.0 / 640.0, 1.0 / 360.0);
    float lit = 0.0;
    lit += p.z - bias > texture2D(texture2d_2, p.xy + vec2(-step.x, -step.y)).r ? 0.0 : 0.25;
    lit += p.z - bias > texture2D(texture2d_2, p.xy + vec2(step.x, -step.y)).r ? 0.0 : 0.25;
    lit += p.z - bias > texture2D(texture2d_2, p.xy + vec2(-step.x, step.y)).r ? 0.0 : 0.25;
    lit += p.z - bias > texture2D(texture2d_2, p.xy + vec2(step.x, step.y)).r ? 0.0 : 0.25;
    return lit;
}

// Paper fibre: a faint mottle from the paper texture, in the piece's own coordinates, the
// pattern moved by `shift`.
float paper_grain(float contrast, vec2 shift) {
    vec2 uv = object_position.xy * 0.07 + object_position.z * 0.05 + shift;
    float fibre = texture2D(texture2d_paper, uv).r;
    return 1.0 + contrast * (fibre - 0.5);
}

// Lambert from the lamp, both faces lit alike (a card has two), with a warm ambient.
float lamp_diffuse() {
    vec3 n = normalize(eye_normal);
    vec3 l = normalize(gl_LightSource[0].position.xyz - eye_position);
    return abs(dot(n, l));
}

void write_paper(vec3 colour, float glow) {
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * clamp(glow, 0.0, 1.0), 1.0);
}
#endif
