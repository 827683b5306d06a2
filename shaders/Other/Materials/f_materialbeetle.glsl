#version 120
// Beetle shells: dark lacquer with a coloured sheen.
uniform float EasyIn;
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

void main() {
    vec3 n = normalize(eye_normal);
    vec3 v = normalize(-eye_position);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, l), 0.0);
    float glow = 0.0;
    vec3 h = normalize(l + v);
    float gloss = pow(max(dot(n, h), 0.0), 40.0);
    vec3 sheen = 0.5 + 0.5 * cos(6.2832 * (dot(n, v) + vec3(0.0, 0.33, 0.67)));
    vec3 colour = gl_Color.rgb * 0.15 * (0.3 + diffuse) + sheen * gloss * EasyIn;
    glow = gloss * 0.4;
    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    colour = mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * clamp(glow, 0.0, 1.0), 1.0);
}
