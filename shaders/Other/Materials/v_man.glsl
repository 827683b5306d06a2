#version 120
// The figures: one mesh object per joint, placed by the fixed-function matrix stack, with the
// front material the figure sets (warm ambient, diffuse and specular).
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;

void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    object_position = gl_Vertex.xyz;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
