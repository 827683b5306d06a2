#include "anim/tube.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

struct TubeSample {
    Vector3 position;
    float radius = 0.0f;
};

// On a control point (within 0.0001) the stored point and radius are used as they are; between
// them the curve is evaluated. `position_only` samples the third point of a segment, which only
// needs a position and uses the spline's own open or closed rule.
TubeSample sample(const Spline& spline, double u, bool position_only) {
    TubeSample s;
    const double nearest = std::round(u);
    if (std::isfinite(u) && std::fabs(u - nearest) < 0.0001) {
        const auto at = [nearest](const std::vector<Vector3>& v) -> const Vector3& {
            const double last = static_cast<double>(v.size() - 1);
            return v[static_cast<size_t>(std::clamp(nearest, 0.0, last))];
        };
        s.position = at(spline.points);
        if (!spline.channel2.empty()) s.radius = at(spline.channel2).x;
        return s;
    }
    if (position_only) {
        s.position = spline.evaluate(static_cast<float>(u));
        return s;
    }
    Vector3 second;
    Vector3 third;
    spline.evaluate_all(static_cast<float>(u), s.position, second, third);
    s.radius = second.x;
    return s;
}

Vector3 normalised(Vector3 v) {
    normalise(v);
    return v;
}

}  // namespace

int64_t tube_segment_count(double end, int32_t count) {
    const double f = end - std::trunc(end);
    // At end = 0 there is no fraction to stretch by.
    const double stretch = end != 0.0 ? count * f / end : 0.0;
    const double s = std::trunc(count + stretch);
    if (!(s >= 1.0)) return 0;
    return static_cast<int64_t>(std::min(s, 1.0e9));
}

std::vector<TubeStrip> tube_strips(Spline& spline, const Vector3& up, double start, double end, int32_t count,
                                   int32_t sides, double first_fraction, double last_fraction) {
    std::vector<TubeStrip> strips;
    if (sides < 1 || sides > max_tube_sides || spline.points.empty()) return strips;
    spline.channels = 2;

    std::vector<float> sines(static_cast<size_t>(sides) + 1);
    std::vector<float> cosines(static_cast<size_t>(sides) + 1);
    for (int32_t i = 0; i <= sides; ++i) {
        const float theta = -2.0f * 3.14159265f * static_cast<float>(i) / static_cast<float>(sides);
        sines[i] = std::sin(theta);
        cosines[i] = std::cos(theta);
    }

    const int64_t segments = tube_segment_count(end, count);
    const double h = (std::trunc(end) - std::trunc(start)) / count;
    for (int64_t k = 0; k < segments; ++k) {
        if (!(first_fraction * segments <= k && k <= last_fraction * segments)) continue;
        const double u0 = start + k * h;
        const double u1 = u0 + h;
        const double u2 = u0 + 2 * h;
        const TubeSample s0 = sample(spline, u0, false);
        const TubeSample s1 = sample(spline, u1, false);
        const Vector3 p2 = sample(spline, u2, true).position;

        const Vector3 t0 = normalised(s1.position - s0.position);
        const Vector3 a0 = normalised(cross(t0, up));
        const Vector3 u_0 = normalised(cross(t0, a0));
        const Vector3 v_0 = normalised(cross(u_0, t0));
        const Vector3 t1 = normalised(p2 - s1.position);
        const Vector3 a1 = normalised(cross(t1, up));
        const Vector3 u_1 = normalised(cross(t1, a1));
        const Vector3 v_1 = normalised(cross(u_1, t1));
        const Vector3 ru0 = u_0 * s0.radius;
        const Vector3 rv0 = v_0 * s0.radius;
        const Vector3 ru1 = u_1 * s1.radius;
        const Vector3 rv1 = v_1 * s1.radius;

        TubeStrip strip;
        strip.segment = static_cast<int32_t>(k);
        strip.vertices.reserve(2 * (static_cast<size_t>(sides) + 1));
        for (int32_t i = 0; i <= sides; ++i) {
            const float c = cosines[i];
            const float s = sines[i];
            strip.vertices.push_back({v_0 * c + u_0 * s, s0.position + rv0 * c + ru0 * s});
            strip.vertices.push_back({v_1 * c + u_1 * s, s1.position + rv1 * c + ru1 * s});
        }
        strips.push_back(std::move(strip));
    }
    return strips;
}

namespace {

void issue(const std::vector<TubeStrip>& strips) {
    for (const TubeStrip& strip : strips) {
        glBegin(GL_TRIANGLE_STRIP);
        for (const TubeVertex& v : strip.vertices) {
            glNormal3f(v.normal.x, v.normal.y, v.normal.z);
            glVertex3f(v.position.x, v.position.y, v.position.z);
        }
        glEnd();
    }
}

}  // namespace

void draw_tube(Spline& spline, const Vector3& up, double start, double end, int32_t count, int32_t sides) {
    issue(tube_strips(spline, up, start, end, count, sides));
}

void draw_tube_window(Spline& spline, const Vector3& up, double start, double end, int32_t count,
                      int32_t sides, double first_fraction, double last_fraction) {
    issue(tube_strips(spline, up, start, end, count, sides, first_fraction, last_fraction));
}
