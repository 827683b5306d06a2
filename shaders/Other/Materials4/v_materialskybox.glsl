#version 120
// The sky: a cube about the eye; the fragment stage reads the view direction from the position.
varying vec3 direction;

void main() {
    direction = gl_Vertex.xyz;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
