#version 120
// Trees (kelp in the water): the crown sways more than the trunk.
uniform float ttime;
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

void main() {
    vec4 vertex = gl_Vertex;
    vertex.x += 0.05 * vertex.y * vertex.y * sin(0.9 * ttime + vertex.z);
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    object_position = vertex.xyz;
    uv = gl_MultiTexCoord0.xy;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
