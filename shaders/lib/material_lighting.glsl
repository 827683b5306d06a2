// The lighting terms a lit material starts from, in eye space. Include after
// material_fragment.glsl (it reads the eye_position varying declared there).
struct Lighting {
    vec3 n;         // unit surface normal
    vec3 v;         // unit vector toward the eye
    vec3 l;         // unit vector toward the moon (light 0, directional)
    float diffuse;  // max(n · l, 0)
};

// `normal` need not be unit length: eye_normal as interpolated, bent by a bump map or turned
// toward the viewer for a back face.
Lighting moonlight(vec3 normal) {
    Lighting lit;
    lit.n = normalize(normal);
    lit.v = normalize(-eye_position);
    lit.l = normalize(gl_LightSource[0].position.xyz);
    lit.diffuse = max(dot(lit.n, lit.l), 0.0);
    return lit;
}
