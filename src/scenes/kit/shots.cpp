#include "scenes/kit/shots.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "core/easing.h"
#include "render/graphics_context.h"

double shot_weight(const ShotCue& cue, double s) {
    return eased_window(s, cue.start, cue.rate, cue.exponent);
}

Shot mix_shots(const Shot& a, const Shot& b, double w) {
    const float f = static_cast<float>(w);
    return {a.eye + (b.eye - a.eye) * f, a.centre + (b.centre - a.centre) * f, a.up + (b.up - a.up) * f};
}

Shot blend_shots(Shot camera, std::span<const ShotCue> cues, double s) {
    for (const ShotCue& cue : cues) {
        const double w = shot_weight(cue, s);
        if (static_cast<float>(w) <= 0.0f) continue;
        camera = mix_shots(camera, cue.at(s), w);
    }
    return camera;
}

Vector3 steady_up(const Shot& shot, const Vector3& fallback) {
    const Vector3 view = shot.centre - shot.eye;
    const float along = length(cross(view, shot.up));
    if (along > 1e-3f * length(view) * length(shot.up)) return shot.up;
    return fallback;
}

void apply_camera(const CameraRecord& camera) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(camera.fov, camera.aspect, camera.near_distance, camera.far_distance);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vector3 up = steady_up({camera.eye, camera.centre, camera.up});
    gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.centre.x, camera.centre.y, camera.centre.z,
              up.x, up.y, up.z);
}

Matrix4 camera_modelview(const CameraRecord& camera) {
    // As gluLookAt: rows side, up and backwards, then the eye moved to the origin.
    Vector3 forward = camera.centre - camera.eye;
    normalise(forward);
    Vector3 side = cross(forward, steady_up({camera.eye, camera.centre, camera.up}));
    normalise(side);
    const Vector3 up = cross(side, forward);
    Matrix4 m = identity_matrix();
    const Vector3 rows[3] = {side, up, forward * -1.0f};
    for (int r = 0; r < 3; ++r) {
        m[r] = rows[r].x;
        m[4 + r] = rows[r].y;
        m[8 + r] = rows[r].z;
        m[12 + r] = -dot(rows[r], camera.eye);
    }
    return m;
}

Matrix4 camera_projection(const CameraRecord& camera) {
    // As gluPerspective.
    const double half = camera.fov * 0.5 * pi / 180.0;
    const double f = std::cos(half) / std::sin(half);
    const double n = camera.near_distance, r = camera.far_distance;
    Matrix4 m{};
    m[0] = static_cast<float>(f / camera.aspect);
    m[5] = static_cast<float>(f);
    m[10] = static_cast<float>((r + n) / (n - r));
    m[11] = -1.0f;
    m[14] = static_cast<float>(2.0 * r * n / (n - r));
    return m;
}

CameraRecord with_lens(CameraRecord camera, double fov, double near_distance, double far_distance) {
    camera.fov = fov;
    camera.near_distance = near_distance;
    camera.far_distance = far_distance;
    return camera;
}
