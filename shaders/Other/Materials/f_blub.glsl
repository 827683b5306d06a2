#version 120
// Bubbles: a thin bright rim and a highlight; flash (0..1) makes them glow on the beat.
uniform float flash;
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
    float rim = pow(1.0 - max(dot(n, v), 0.0), 3.0);
    vec3 h = normalize(l + v);
    float highlight = pow(max(dot(n, h), 0.0), 60.0);
    vec3 colour = vec3(0.6, 0.8, 0.9) * rim + vec3(1.0) * highlight + vec3(0.3, 0.5, 0.6) * flash;
    glow = rim * 0.5 + flash * 0.5;
    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    colour = mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * clamp(glow, 0.0, 1.0), 1.0);
}
