#version 120
// Drifting motes, the second particle set: points that shimmer as they drift.
//   particlesize  size in world units
//   Screensize    render height in pixels
//   mode          0 steady, 1 twinkling with ttime
uniform float particlesize;
uniform float Screensize;
uniform float mode;
uniform float ttime;

varying float brightness;

void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_Position = gl_ProjectionMatrix * eye;
    float distance = max(-eye.z, 0.1);
    gl_PointSize = clamp(particlesize * Screensize * gl_ProjectionMatrix[1][1] * 0.5 / distance, 1.0, 48.0);
    float twinkle = 0.6 + 0.4 * sin(ttime * 3.0 + gl_Vertex.x * 1.7 + gl_Vertex.z * 2.3);
    brightness = exp(-gl_Fog.density * distance) * (mode > 0.5 ? twinkle : 1.0);
    gl_FrontColor = gl_Color;
}
