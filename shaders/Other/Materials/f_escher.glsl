#version 120
// The crowd lit plainly: gl_Color shaded by the light from above, banded like a woodcut.
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;

void main() {
    vec3 n = normalize(eye_normal);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    float light = 0.3 + 0.7 * max(dot(n, l), 0.0);
    float bands = floor(light * 4.0) / 4.0;
    vec3 colour = gl_Color.rgb * bands;
    float murk = 1.0 - exp(-gl_Fog.density * length(eye_position));
    colour = mix(colour, gl_Fog.color.rgb, clamp(murk, 0.0, 1.0));
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(0.0, 0.0, 0.0, 1.0);
}
