// Vertex stage shared by the toys scene's materials. Hands the fragment stage eye, world and
// object positions, the normal, the texture coordinate and the clip-space position (for reading
// the mirrored picture at this pixel), and clips against the scene's user plane (the mirrored
// pass keeps only what lies below the board).
//
// gl_TextureMatrix[3] is the scene's eye-to-world matrix (the inverse of its view); the light
// projector (gl_TextureMatrix[2]) takes world positions.
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 world_position;
varying vec3 object_position;
varying vec2 uv;
varying vec4 clip_position;

void emit_toys_vertex(vec4 vertex, vec3 normal) {
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * normal);
    world_position = (gl_TextureMatrix[3] * eye).xyz;
    object_position = vertex.xyz;
    uv = gl_MultiTexCoord0.xy;
    gl_FrontColor = gl_Color;
    gl_ClipVertex = eye;
    gl_Position = gl_ProjectionMatrix * eye;
    clip_position = gl_Position;
}
