#version 120
// Camera-facing quads (the corners are already facing the camera); texture coordinates 0..1.
varying vec2 uv;
varying float fade;

void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_Position = gl_ProjectionMatrix * eye;
    uv = gl_MultiTexCoord0.xy;
    fade = exp(-gl_Fog.density * max(-eye.z, 0.0));
    gl_FrontColor = gl_Color;
}
