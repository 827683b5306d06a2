#version 120
// Points in the night air (dust, fireflies, pollen, embers): round sprites that keep their size
// in the world.
//   particlesize  size in world units
//   Screensize    render height in pixels
uniform float particlesize;
uniform float Screensize;

void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_Position = gl_ProjectionMatrix * eye;
    float distance = max(-eye.z, 0.1);
    gl_PointSize = clamp(particlesize * Screensize * gl_ProjectionMatrix[1][1] * 0.5 / distance, 1.0, 32.0);
    gl_FrontColor = gl_Color;
}
