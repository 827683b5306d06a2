#version 120
// Velocity output, fragment half: writes the screen velocity in the encoding the window compose
// reads from texture2d_velocities (rg = 0.5 + velocity · 2.5, velocity in texture units per
// frame; b = 1 where geometry moved or stood), and the plain colour as the second output.
// Uniforms: none beyond v_velocities' PreviousMatrix.
varying vec4 current_clip;
varying vec4 previous_clip;

void main() {
    vec2 velocity = vec2(0.0);
    if (abs(previous_clip.w) > 0.000001 && abs(current_clip.w) > 0.000001)
        velocity = (current_clip.xy / current_clip.w - previous_clip.xy / previous_clip.w) * 0.5;
    gl_FragData[0] = vec4(clamp(0.5 + velocity * 2.5, 0.0, 1.0), 1.0, 1.0);
    gl_FragData[1] = gl_Color;
}
