#version 120
// The landscape in the light's depth pass: only its depth matters; the colour is its plain
// silhouette colour so that the pass stays cheap.
varying vec3 eye_position;
varying vec3 eye_normal;
varying vec3 object_position;
varying vec2 uv;

void main() {
    gl_FragData[0] = vec4(gl_Color.rgb, 1.0);
    gl_FragData[1] = vec4(0.0, 0.0, 0.0, 1.0);
}
