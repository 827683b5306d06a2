#version 120
// Goldfish: warm orange scales with a soft sheen.

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
    float sheen = pow(1.0 - max(dot(n, v), 0.0), 2.0);
    vec3 colour = vec3(1.0, 0.45, 0.08) * (0.25 + 0.8 * diffuse) + vec3(1.0, 0.8, 0.4) * sheen * 0.4;
    glow = sheen * 0.3;
    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    colour = mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * clamp(glow, 0.0, 1.0), 1.0);
}
