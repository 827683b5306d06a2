#pragma once
// Catmull-Rom curves through Vector3 control points: evaluation, polyline length and even
// respacing by arc length. Ropes, contour outlines and tubes are built on it.
//
// The parameter t runs in units of control points: t = i lies on control point i. A spline may
// carry two more channels of control points (channel2, channel3) indexed like points; tubes keep
// their radius in channel2's x.
//
// count is kept by whoever appends points (append does not raise it), so it may lag behind or run
// ahead of the sequences; evaluation never reads past what is actually stored. Control-point
// indices are 16-bit unsigned numbers: a spline holds at most 65,535 control points, and append
// ignores points beyond that.
#include <cstdint>
#include <vector>

#include "core/vector3.h"

class Spline {
public:
    static constexpr int32_t max_points = 65535;

    std::vector<Vector3> points;    // channel 1: the curve itself
    std::vector<Vector3> channel2;  // optional second channel
    std::vector<Vector3> channel3;  // optional third channel
    int32_t channels = 3;           // how many channels evaluate_all fills: 1, 2 or 3
    bool closed = true;             // wraps from the last control point back to the first
    int32_t count = 0;              // number of control points, kept by the caller
    double length = 0.0;            // polyline length last computed by compute_length

    // Empty, closed, three channels.
    Spline() = default;
    // Empty with the given channel count; still closed unless the owner says otherwise.
    explicit Spline(int32_t channel_count) : channels(channel_count) {}

    // Empties all three channels; count 0, length 0, channels 3. closed is kept.
    void clear();
    // clear(), then copies count, channels, closed and all three sequences (length stays 0).
    void copy_from(const Spline& other);
    // Adds a control point to points only; the caller raises count.
    void append(const Vector3& point);

    // The curve at t, with closed or open handling; state 1 (or, past an open curve's ends, the
    // end control point as stored).
    Vector3 evaluate(float t) const;
    // The curve and its second and third channels at t, always with closed handling. An empty
    // spline gives (100, 0, 0) three times; fewer than two control points leave results as they
    // were. The curve is always written; second and third only when channels reaches 2 or 3.
    void evaluate_all(float t, Vector3& curve, Vector3& second, Vector3& third) const;

    // Sum of the distances between consecutive control points (no closing segment) into length.
    void compute_length();
    // Replaces the control points (all three channels) by m points evenly spaced by arc length
    // along [0, count], measured with k subdivisions per segment. Needs at least 4 points and
    // k > 0 (and m ≥ 0, at most max_points); otherwise the spline is left unchanged.
    void resample(int32_t m, int32_t k);
};
