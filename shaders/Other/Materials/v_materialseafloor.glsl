#version 120
// Sea-floor slabs drifting past under the diving camera.
//   smash  0 leaves the relief as modelled; toward 1 the slab is pressed flat into the sand
//   ttime  scene clock (s)
uniform float smash;
uniform float ttime;

varying vec3 eye_position;
varying vec3 eye_normal;
varying vec2 uv;
varying vec2 caustic_uv;

void main() {
    vec4 vertex = gl_Vertex;
    vertex.y *= 1.0 - 0.85 * clamp(smash, 0.0, 1.0);
    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    eye_normal = normalize(gl_NormalMatrix * gl_Normal);
    uv = gl_MultiTexCoord0.xy;
    caustic_uv = vertex.xz * 0.05;
    gl_FrontColor = gl_Color;
    gl_Position = gl_ProjectionMatrix * eye;
}
