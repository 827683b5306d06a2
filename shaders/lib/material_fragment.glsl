// Fragment stage shared by the plain materials (their vertex stage is material_vertex.glsl).
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

// Writes the surface colour, fogged by the underwater murk (gl_Fog density and colour), and its
// glowing share (0..1) as the second output that the highlight blur picks up.
void write_material(vec3 colour, float glow) {
    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    colour = mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * clamp(glow, 0.0, 1.0), 1.0);
}
