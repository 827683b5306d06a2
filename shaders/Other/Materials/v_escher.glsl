#version 120
// The crowd of little men that tile the floor like a print, each a copy of the same figure.
// The fixed-function matrices place each copy; ttime makes the rows sway.
uniform float ttime;

varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;

void main() {
    vec4 vertex = gl_Vertex;
    // A slow sway that grows with height above the feet.
    vertex.x += 0.04 * vertex.y * sin(1.3 * ttime + 0.7 * gl_ModelViewMatrix[3].x);
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    object_position = vertex.xyz;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
