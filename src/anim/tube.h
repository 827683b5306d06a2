#pragma once
// Tubes swept along a spline: a ring of varying radius carried along the centre line, one
// triangle strip per segment, rebuilt and sent in immediate mode at every call. The spline's
// channel 1 holds the centre line; the x of channel 2 at control point i is the radius there.
//
// The geometry is computed into TubeStrip buffers first (tube_strips) and only then issued to GL,
// so it can be checked without a context.
#include <cstdint>
#include <limits>
#include <vector>

#include "anim/spline.h"
#include "core/vector3.h"

struct TubeVertex {
    Vector3 normal;
    Vector3 position;
};

// One segment's strip: for each of the sides + 1 ring angles, the ring-0 vertex then the ring-1
// vertex (2·(sides + 1) entries, closing on itself).
struct TubeStrip {
    int32_t segment = 0;
    std::vector<TubeVertex> vertices;
};

// The ring resolution is bounded by the show's tables of 1,000 angles.
inline constexpr int32_t max_tube_sides = 999;

// S = trunc(count + count·f/end), f the fraction of end: how many segments of
// h = (trunc(end) − trunc(start)) / count the sweep draws; 0 when S < 1.
int64_t tube_segment_count(double end, int32_t count);

// The strips of segments k with first_fraction·S ≤ k ≤ last_fraction·S. Sets the spline's
// channel count to 2. Nothing for sides outside 1..999 or a spline without points.
std::vector<TubeStrip> tube_strips(Spline& spline, const Vector3& up, double start, double end, int32_t count,
                                   int32_t sides,
                                   double first_fraction = -std::numeric_limits<double>::infinity(),
                                   double last_fraction = std::numeric_limits<double>::infinity());

// Draws the tube over [start, end] with fixed-function triangle strips (normal, then vertex).
void draw_tube(Spline& spline, const Vector3& up, double start, double end, int32_t count, int32_t sides);
// The same sweep, drawing only the segments inside the fractional window.
void draw_tube_window(Spline& spline, const Vector3& up, double start, double end, int32_t count,
                      int32_t sides, double first_fraction, double last_fraction);
