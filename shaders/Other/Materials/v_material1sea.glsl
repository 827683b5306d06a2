#version 120
// The sea surface, seen from beneath while the camera sinks.
//   ttime    scene clock (s): drives the swell
//   BigSea   1 for the near sea; a small value for the far sea, which is drawn stretched by
//            (142, 42, 142) and lifted by 310 and must keep waves of the same size in the world
//   PosY     how deep the camera has sunk (0.1 at the top, 1.3 at depth): calmer, murkier water
// The mesh is drawn turned 180 degrees about x and scaled by 5 (and for the far sea first moved
// by (0, 310, 0) and scaled (142, 42, 142)); the projector on texture unit 2 (gl_TextureMatrix[2])
// takes world positions, so the world position is rebuilt here from those placements.
uniform float ttime;
uniform float BigSea;
uniform float PosY;

varying vec3 eye_position;
varying vec3 world_normal;
varying vec3 world_to_eye;
varying vec3 world_light;
varying vec2 ripple_uv;
varying vec4 projector_uv;

float swell(vec2 p, float t) {
    return 0.55 * sin(0.11 * p.x + 0.7 * t) + 0.35 * sin(0.07 * p.y - 0.45 * t + 1.3)
         + 0.18 * sin(0.23 * (p.x + p.y) + 1.1 * t) + 0.09 * sin(0.41 * p.x - 0.31 * p.y - 1.7 * t);
}

void main() {
    bool near_sea = BigSea > 0.5;
    vec3 stretch = near_sea ? vec3(1.0) : vec3(142.0, 42.0, 142.0);
    vec3 lift = near_sea ? vec3(0.0) : vec3(0.0, 310.0, 0.0);
    // World position of the undisplaced vertex: turned over x, scaled by 5.
    vec3 placed = gl_Vertex.xyz * stretch + lift;
    vec3 world = vec3(5.0, -5.0, -5.0) * placed;

    // Waves in world units; the swell calms as the camera sinks away from the surface.
    float amplitude = mix(1.0, 0.6, clamp(PosY, 0.0, 1.3) / 1.3);
    float e = 0.5;
    float h = amplitude * swell(world.xz, ttime);
    float hx = amplitude * swell(world.xz + vec2(e, 0.0), ttime);
    float hz = amplitude * swell(world.xz + vec2(0.0, e), ttime);
    // World up is -y: the surface rises toward -y.
    world.y -= h;
    world_normal = normalize(vec3((hx - h) / e, -1.0, (hz - h) / e));

    // Back into the mesh's own space for the model-view transform.
    vec3 local = world / vec3(5.0, -5.0, -5.0);
    local = (local - lift) / stretch;
    vec4 vertex = vec4(local, 1.0);

    vec4 eye = gl_ModelViewMatrix * vertex;
    eye_position = eye.xyz;
    gl_Position = gl_ProjectionMatrix * eye;
    gl_FrontColor = gl_Color;

    // The view rotation (world -> eye) is the model-view with the placement's axis scales and
    // signs divided out; its transpose takes eye-space directions back to the world.
    mat3 mv = mat3(gl_ModelViewMatrix);
    mat3 view = mat3(normalize(mv[0]), -normalize(mv[1]), -normalize(mv[2]));
    world_to_eye = transpose(view) * (-eye.xyz);
    world_light = transpose(view) * gl_LightSource[0].position.xyz;

    ripple_uv = world.xz * 0.02;
    projector_uv = gl_TextureMatrix[2] * vec4(world, 1.0);
}
