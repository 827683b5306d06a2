#version 120
// Silver bait fish: gl_Color is the part's grey (dark back, light flank); the flank flashes
// where it turns toward the light. Output 1: glow colour (the flash).
varying vec3 eye_position;
varying vec3 eye_normal;

void main() {
    vec3 n = normalize(eye_normal);
    if (!gl_FrontFacing) n = -n;
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    vec3 h = normalize(l + v);
    float diffuse = max(dot(n, l), 0.0);
    float flash = pow(max(dot(n, h), 0.0), 30.0);
    float sheen = pow(1.0 - max(dot(n, v), 0.0), 2.0);
    vec3 colour = gl_Color.rgb * (0.25 + 0.9 * diffuse) + vec3(0.8, 0.9, 1.0) * (flash * 1.2 + sheen * 0.25 * gl_Color.r);
    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    colour = mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(vec3(0.8, 0.9, 1.0) * flash * 0.8, 1.0);
}
