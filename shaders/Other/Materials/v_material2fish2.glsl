#version 120
// One bait fish of the school. The fixed-function matrices place the copy; its body bends in a
// travelling wave along its length (z), phased per copy by Rotation so the school does not beat
// in step.
//   Rotation  this copy's phase (radians)
//   ttime     scene clock (s)
uniform float Rotation;
uniform float ttime;

varying vec3 eye_position;
varying vec3 eye_normal;

void main() {
    vec4 vertex = gl_Vertex;
    float wave = sin(vertex.z * 2.2 - 9.0 * ttime + Rotation);
    float tail = clamp(0.6 - vertex.z, 0.0, 2.0);
    vertex.x += 0.12 * wave * tail;
    vec3 normal = normalize(gl_Normal + vec3(0.0, 0.0, -0.3 * wave * tail));
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * normal);
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
