// Fragment stage shared by the plain materials (their vertex stage is material_vertex.glsl).
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

// The colour sunk into the underwater murk with distance (gl_Fog density and colour).
vec3 fogged(vec3 colour) {
    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    return mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
}

// Writes the surface colour, fogged, and its glowing share (0..1) as the second output that the
// highlight blur picks up.
void write_material(vec3 colour, float glow) {
    colour = fogged(colour);
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * clamp(glow, 0.0, 1.0), 1.0);
}
