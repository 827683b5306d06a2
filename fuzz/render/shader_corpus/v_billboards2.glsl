#version 120
// Camera-facing cards of the final scene (the corners already face the camera); texture
// coordinates 0..1.
varying vec2 uv;

void main() {
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    uv = gl_MultiTexCoord0.xy;
    gl_FrontColor = gl_Color;
}
