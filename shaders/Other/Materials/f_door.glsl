#version 120
// Doors: painted wood in gl_Color with dark panel grooves.

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
    float grooves = step(0.92, fract(object_position.y * 3.0)) + step(0.92, fract(object_position.x * 3.0));
    vec3 colour = gl_Color.rgb * (0.25 + 0.75 * diffuse) * (1.0 - 0.5 * clamp(grooves, 0.0, 1.0));
    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    colour = mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour * clamp(glow, 0.0, 1.0), 1.0);
}
