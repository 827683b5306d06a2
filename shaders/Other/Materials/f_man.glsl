#version 120
// Figures on the sea bed: the figure's material lit from above (light 0) with a cold rim from
// behind (light 1), so they read as silhouettes against the deep; blood spreads over them.
//   ExtraLight       0..1: lifts the figure out of the dark (the lit group)
//   texture2d_blood  splatter, projected along the limb's own axes
//   Thettime         0..1: how far the blood has spread
// gl_Color tints the whole figure. Output 1: glow colour (the rim), what the highlight pass blooms.
uniform sampler2D texture2d_blood;
uniform float ExtraLight;
uniform float Thettime;

varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 key = normalize(gl_LightSource[0].position.xyz);
    vec3 back = normalize(gl_LightSource[1].position.xyz);
    vec3 base = gl_FrontMaterial.diffuse.rgb * gl_Color.rgb;
    float diffuse = max(dot(n, key), 0.0);
    float wrap = 0.5 + 0.5 * dot(n, key);
    vec3 h = normalize(key + v);
    float specular = pow(max(dot(n, h), 0.0), 24.0);
    float rim = pow(1.0 - max(dot(n, v), 0.0), 3.0) * (0.5 + 0.5 * max(dot(n, back), 0.0));

    vec3 colour = base * (gl_FrontMaterial.ambient.rgb * 0.12 + diffuse * 0.55 + wrap * 0.12);
    colour += gl_FrontMaterial.specular.rgb * specular * 0.6;
    colour += gl_LightSource[1].diffuse.rgb * rim * 0.9;
    colour *= 1.0 + 1.5 * clamp(ExtraLight, 0.0, 1.0);

    vec3 a = abs(n);
    vec2 blood_uv = a.x > a.y ? object_position.yz : object_position.xz;
    float blood = texture2D(texture2d_blood, blood_uv * 3.0).r;
    float spread = smoothstep(1.0 - clamp(Thettime, 0.0, 1.0), 1.0, blood);
    colour = mix(colour, vec3(0.35, 0.02, 0.02) * (0.4 + diffuse), spread);

    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    colour = mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(gl_LightSource[1].diffuse.rgb * rim * 0.6, 1.0);
}
