#version 120
// Reef fish: each swims with a body wave; PosY2 lifts the whole shoal (depth offset)
//   PosY2  vertical offset of the shoal in object units
uniform float PosY2;
uniform float ttime;
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

void main() {
    vec4 vertex = gl_Vertex;
    vertex.x += 0.1 * sin(vertex.z * 3.0 - 8.0 * ttime) * clamp(0.5 - vertex.z, 0.0, 1.5);
    vertex.y -= PosY2;
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    object_position = vertex.xyz;
    uv = gl_MultiTexCoord0.xy;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
