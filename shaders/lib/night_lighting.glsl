// Lighting shared by the final scene's night materials (Materials4): the moon (light 0, a
// directional light), a rim light (light 1, fixed to the camera) and the moon's depth texture.
// Shadow coordinates come from the vertex stage: gl_TextureMatrix[2] maps eye space to the
// light's depth texture (the scene loads it so).
uniform sampler2D texture2d_2;   // the light's depth
uniform float ShadowLevel;       // 0 no shadow, 1 full

varying vec4 shadow_coord;

// 1 where the moon reaches the point, down to 0.45 where something stands before it.
float moon_visibility() {
    if (ShadowLevel <= 0.0 || shadow_coord.w <= 0.0) return 1.0;
    vec3 c = shadow_coord.xyz / shadow_coord.w;
    if (c.x <= 0.0 || c.y <= 0.0 || c.x >= 1.0 || c.y >= 1.0 || c.z >= 1.0) return 1.0;
    float nearest = texture2D(texture2d_2, c.xy).r;
    return mix(1.0, 0.45, ShadowLevel * step(nearest + 0.0015, c.z));
}

// Night light on a surface of colour `base` with eye-space normal n at eye-space point p.
vec3 night_light(vec3 base, vec3 n, vec3 p) {
    vec3 moon = normalize(gl_LightSource[0].position.xyz);
    vec3 view = normalize(-p);
    float diffuse = max(dot(n, moon), 0.0) * moon_visibility();
    float sheen = pow(max(dot(reflect(-moon, n), view), 0.0), 24.0);
    float rim = pow(1.0 - max(dot(n, view), 0.0), 3.0);
    vec3 ambient = vec3(0.07, 0.085, 0.13);
    // A soft fill from above the camera, so what faces us is never only a silhouette.
    float fill = max(dot(n, normalize(vec3(0.3, 0.6, 1.0))), 0.0);
    return base * (ambient + diffuse * gl_LightSource[0].diffuse.rgb + fill * vec3(0.2, 0.21, 0.26))
           + sheen * 0.25 * gl_LightSource[0].diffuse.rgb
           + rim * 0.5 * gl_LightSource[1].diffuse.rgb * (0.4 + base);
}
