#version 120
// Points in the water (plankton, bubbles): each vertex a round sprite whose size falls off with
// distance so that it keeps its size in the world.
//   particlesize  size in world units
//   Screensize    render height in pixels
//   mode          0 plankton (dim specks), 1 bubbles (bright rings)
uniform float particlesize;
uniform float Screensize;
uniform float mode;

varying float fade;

void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_Position = gl_ProjectionMatrix * eye;
    float distance = max(-eye.z, 0.1);
    gl_PointSize = clamp(particlesize * Screensize * gl_ProjectionMatrix[1][1] * 0.5 / distance, 1.0, 64.0);
    fade = exp(-gl_Fog.density * distance);
    gl_FrontColor = gl_Color;
}
