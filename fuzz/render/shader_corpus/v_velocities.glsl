#version 120
// Velocity output, vertex half: the vertex in this frame's and in the previous frame's clip
// space, for the fragment half to turn into a screen velocity.
// Uniforms:
//   PreviousMatrix  the previous frame's projection · modelview (column-major); all zero (not
//                   set) means no motion
uniform mat4 PreviousMatrix;
varying vec4 current_clip;
varying vec4 previous_clip;

void main() {
    gl_Position = ftransform();
    current_clip = gl_Position;
    previous_clip = PreviousMatrix * gl_Vertex;
    gl_FrontColor = gl_Color;
    gl_TexCoord[0] = gl_MultiTexCoord0;
}
