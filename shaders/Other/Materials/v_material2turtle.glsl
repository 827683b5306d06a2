#version 120
// The turtle: its flippers (the far ends along x) beat with the clock.
//   multiplier  beat strength, 0 for a gliding turtle
uniform float multiplier;
uniform float ttime;
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

void main() {
    vec4 vertex = gl_Vertex;
    float reach = max(abs(vertex.x) - 0.4, 0.0);
    vertex.y += multiplier * 0.35 * reach * sin(2.2 * ttime);
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    object_position = vertex.xyz;
    uv = gl_MultiTexCoord0.xy;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
