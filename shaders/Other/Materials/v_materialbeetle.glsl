#version 120
// Beetles crawling out: EasyIn (0..1) raises them from flat to full height.
uniform float EasyIn;
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

void main() {
    vec4 vertex = gl_Vertex;
    vertex.y *= clamp(EasyIn, 0.0, 1.0);
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    object_position = vertex.xyz;
    uv = gl_MultiTexCoord0.xy;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
