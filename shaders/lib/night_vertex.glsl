// Vertex stage pieces of the final scene's night materials: the shadow coordinate for
// night_lighting.glsl, from the eye-space position the material vertex wrote.
varying vec4 shadow_coord;

void emit_shadow_coord() { shadow_coord = gl_TextureMatrix[2] * vec4(eye_position, 1.0); }

// A stable pseudo-random value per point (cracks, shimmer).
float hash3(vec3 p) { return fract(sin(dot(p, vec3(12.9898, 78.233, 37.719))) * 43758.5453); }
