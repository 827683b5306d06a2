#include "anim/spline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

// Truncates toward zero into a wide integer; NaN gives 0 and out-of-range values saturate, so a
// wild parameter picks some control point instead of invoking undefined conversions.
int64_t truncate_index(double v) {
    if (std::isnan(v)) return 0;
    constexpr double limit = 9.0e18;
    if (v >= limit) return static_cast<int64_t>(limit);
    if (v <= -limit) return -static_cast<int64_t>(limit);
    return static_cast<int64_t>(v);
}

// Non-negative remainder, so an index far below zero still lands inside the curve.
int64_t wrap(int64_t i, int64_t n) {
    const int64_t r = i % n;
    return r < 0 ? r + n : r;
}

struct Segment {
    uint16_t prev, cur, next, next2;
    float f;
};

// Closed handling of steps 1-2: the segment around t on a curve that wraps at n.
Segment closed_segment(float t, int64_t n) {
    int64_t i;
    float f;
    if (t > 2.0f && t < static_cast<float>(n - 2)) {
        i = truncate_index(t);
        f = t - static_cast<float>(i);
    } else {
        // Shifting by many whole turns makes every t positive before taking the fraction.
        const float shifted = t + 10000.0f * static_cast<float>(n);
        const int64_t whole = truncate_index(shifted);
        f = shifted - static_cast<float>(whole);
        i = wrap(whole, n);
    }
    Segment s{};
    s.f = f;
    if (i > 0 && i < n - 2) {
        s.prev = static_cast<uint16_t>(i - 1);
        s.cur = static_cast<uint16_t>(i);
        s.next = static_cast<uint16_t>(i + 1);
        s.next2 = static_cast<uint16_t>(i + 2);
    } else if (i != 0) {
        s.prev = static_cast<uint16_t>(i - 1);
        s.cur = static_cast<uint16_t>(i);
        s.next = static_cast<uint16_t>(wrap(i + 1, n));
        s.next2 = static_cast<uint16_t>(wrap(i + 2, n));
    } else {
        // Curves of fewer than three points wrap their neighbours too.
        s.prev = static_cast<uint16_t>(n - 1);
        s.cur = 0;
        s.next = static_cast<uint16_t>(wrap(1, n));
        s.next2 = static_cast<uint16_t>(wrap(2, n));
    }
    return s;
}

Segment open_segment(float t, int64_t n) {
    int64_t i = truncate_index(t);
    float f = t - static_cast<float>(i);
    if (!(t > 2.0f && t < static_cast<float>(n - 2))) {
        if (t > static_cast<float>(n)) f = 1.0f;
        if (t < 0.0f) f = 0.0f;
        i = std::clamp<int64_t>(i, 0, n - 1);
    }
    const auto clamp_index = [n](int64_t j) {
        return static_cast<uint16_t>(std::clamp<int64_t>(j, 0, n - 1));
    };
    return {clamp_index(i - 1), clamp_index(i), clamp_index(i + 1), clamp_index(i + 2), f};
}

// Cubic Hermite with Catmull-Rom tangents, componentwise in single precision.
float hermite(float prev, float p0, float p1, float next2, float f) {
    const float m0 = (p1 - prev) / 2.0f;
    const float m1 = (next2 - p0) / 2.0f;
    const float f2 = f * f;
    const float f3 = f2 * f;
    return p0 + m0 * f + (3.0f * (p1 - p0) - 2.0f * m0 - m1) * f2 + (2.0f * (p0 - p1) + m0 + m1) * f3;
}

Vector3 interpolate(const std::vector<Vector3>& v, const Segment& s) {
    const Vector3& a = v[s.prev];
    const Vector3& b = v[s.cur];
    const Vector3& c = v[s.next];
    const Vector3& d = v[s.next2];
    return {Vector3::ordinary, hermite(a.x, b.x, c.x, d.x, s.f), hermite(a.y, b.y, c.y, d.y, s.f),
            hermite(a.z, b.z, c.z, d.z, s.f)};
}

}  // namespace

// count is the caller's word for how many points there are; only what is stored can be read.
static int64_t usable_count(const Spline& s) {
    const int64_t stored = static_cast<int64_t>(std::min<size_t>(s.points.size(), Spline::max_points));
    return std::min<int64_t>(s.count, stored);
}

void Spline::clear() {
    points.clear();
    channel2.clear();
    channel3.clear();
    count = 0;
    length = 0.0;
    channels = 3;
}

void Spline::copy_from(const Spline& other) {
    clear();
    count = other.count;
    channels = other.channels;
    closed = other.closed;
    points = other.points;
    channel2 = other.channel2;
    channel3 = other.channel3;
}

void Spline::append(const Vector3& point) {
    if (points.size() >= static_cast<size_t>(max_points)) return;
    points.push_back(point);
}

Vector3 Spline::evaluate(float t) const {
    const int64_t n = usable_count(*this);
    if (n <= 0) return {};
    if (closed) return interpolate(points, closed_segment(t, n));

    const Segment s = open_segment(t, n);
    if (t > static_cast<float>(n)) return points[n - 1];
    if (t < 0.0f) return points[0];
    return interpolate(points, s);
}

void Spline::evaluate_all(float t, Vector3& curve, Vector3& second, Vector3& third) const {
    if (points.empty()) {
        curve = second = third = Vector3{100.0f, 0.0f, 0.0f};
        return;
    }
    const int64_t n = usable_count(*this);
    if (n < 2) return;
    const Segment s = closed_segment(t, n);
    curve = interpolate(points, s);
    // A channel holding fewer points than the curve cannot be evaluated; its result is left alone.
    const auto holds = [n](const std::vector<Vector3>& v) { return static_cast<int64_t>(v.size()) >= n; };
    if (channels >= 3 && holds(channel3)) third = interpolate(channel3, s);
    if (channels >= 2 && holds(channel2)) second = interpolate(channel2, s);
}

void Spline::compute_length() {
    double sum = 0.0;
    if (count > 0) {
        Vector3 previous = evaluate(0.0f);
        for (int32_t i = 1; i < count; ++i) {
            const Vector3 current = evaluate(static_cast<float>(i));
            sum += ::length(subtract(current, previous));
            previous = current;
        }
    }
    length = sum;
}

void Spline::resample(int32_t m, int32_t k) {
    if (points.size() < 4 || k <= 0 || m < 0 || m > max_points) return;

    const size_t intervals = static_cast<size_t>(k) * static_cast<size_t>(std::max(count, 0));
    std::vector<float> table(intervals + 1);
    table[0] = 0.0f;
    Vector3 previous = evaluate(0.0f);
    for (size_t j = 0; j < intervals; ++j) {
        const Vector3 current = evaluate(static_cast<float>(j + 1) / static_cast<float>(k));
        table[j + 1] = table[j] + ::length(subtract(current, previous));
        previous = current;
    }
    const float total = table[intervals];

    std::vector<Vector3> respaced;
    respaced.reserve(static_cast<size_t>(m));
    // The distances only grow with j and the table never decreases, so the first interval holding
    // d is never before the one that held the previous d: the scan resumes where it stopped.
    size_t i = 0;
    for (int32_t j = 0; j < m; ++j) {
        const float d = static_cast<float>(j) / static_cast<float>(m) * total;
        while (i < intervals && !(table[i] <= d && d <= table[i + 1])) ++i;
        // Only a table spoiled by NaN points runs off the end; stay on its last interval.
        if (i >= intervals) i = intervals > 0 ? intervals - 1 : 0;
        const float next = intervals > 0 ? table[i + 1] : table[0];
        float seg = next - table[i];
        if (!(seg > 0.001f)) seg = 0.001f;
        const float u = (static_cast<float>(i) + (d - table[i]) / seg) / static_cast<float>(k);
        respaced.push_back(evaluate(u));
    }

    const bool keep_closed = closed;
    clear();
    closed = keep_closed;
    for (const Vector3& p : respaced) {
        points.push_back(p);
        channel2.push_back(p);
        channel3.push_back(p);
    }
    count = m;
}
