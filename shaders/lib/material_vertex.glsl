// Vertex stage shared by the plain materials: hands the fragment stage eye-space position and
// normal, the undisplaced object-space position (for procedural patterns) and the texture
// coordinate, and passes the primitive colour on (a fragment stage that reads gl_Color needs it).
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

// Emits an object-space vertex that the caller may already have displaced.
void emit_material_vertex(vec4 vertex) {
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    object_position = vertex.xyz;
    uv = gl_MultiTexCoord0.xy;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
