#include "anim/contour_extruder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace {

// Collects the tessellator's output as plain triangles; the edge-flag callback makes the GLU
// tessellator emit independent triangles only (no fans or strips).
struct TessellationSink {
    std::vector<std::array<float, 2>>* corners;
    std::deque<std::array<double, 3>>* vertices;
};

void GLAPIENTRY on_begin(GLenum, void*) {}
void GLAPIENTRY on_edge_flag(GLboolean, void*) {}
void GLAPIENTRY on_end(void*) {}
void GLAPIENTRY on_vertex(void* vertex, void* sink) {
    const double* v = static_cast<const double*>(vertex);
    static_cast<TessellationSink*>(sink)->corners->push_back(
        {static_cast<float>(v[0]), static_cast<float>(v[1])});
}
void GLAPIENTRY on_combine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* sink) {
    auto& vertices = *static_cast<TessellationSink*>(sink)->vertices;
    vertices.push_back({coords[0], coords[1], coords[2]});
    *out = vertices.back().data();
}

struct TessDeleter {
    void operator()(GLUtesselator* tess) const { gluDeleteTess(tess); }
};

cv::Mat as_grey8(const cv::Mat& image) {
    cv::Mat grey = image;
    if (grey.channels() == 3)
        cv::cvtColor(grey, grey, cv::COLOR_BGR2GRAY);
    else if (grey.channels() == 4)
        cv::cvtColor(grey, grey, cv::COLOR_BGRA2GRAY);
    if (grey.depth() != CV_8U) grey.convertTo(grey, CV_8U);
    return grey.clone();
}

}  // namespace

int ExtrusionGeometry::wall_quad_count() const {
    int quads = 0;
    for (const auto& wall : walls) quads += static_cast<int>(wall.size()) - 1;
    return quads;
}

std::array<float, 4> ExtrusionGeometry::extent() const {
    std::array<float, 4> e = {INFINITY, INFINITY, -INFINITY, -INFINITY};
    const auto take = [&e](float x, float y) {
        e = {std::min(e[0], x), std::min(e[1], y), std::max(e[2], x), std::max(e[3], y)};
    };
    for (const auto& corner : cap_corners) take(corner[0], corner[1]);
    for (const auto& wall : walls)
        for (const WallStep& step : wall) take(step.x, step.y);
    return e[0] <= e[2] ? e : std::array<float, 4>{};
}

float ContourExtruder::quantise(float v) {
    // Out-of-range values are clamped before the conversion (which would be undefined); the
    // 16-bit reduction wraps like the show's.
    const float scaled = v * 30000.0f;
    const double whole = std::isnan(scaled) ? 0.0 : std::clamp<double>(scaled, -2147483648.0, 2147483647.0);
    return static_cast<float>(static_cast<int16_t>(static_cast<int32_t>(whole))) * 0.00033333333f;
}

namespace {

// The outer contours of one pass's mask as outlines in normalised image coordinates, in the
// order OpenCV finds them (hw, hh: the image's integer half sizes).
std::vector<Spline> find_outlines(const cv::Mat& mask, float hw, float hh) {
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(mask, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
    std::vector<Spline> outlines(contours.size());
    for (std::size_t i = 0; i < contours.size(); ++i) {
        Spline& spline = outlines[i];
        for (const cv::Point& p : contours[i])
            spline.append(
                Vector3((hh - static_cast<float>(p.y)) / hh, (hw - static_cast<float>(p.x)) / hw, 0.0f));
        spline.count = static_cast<int32_t>(spline.points.size());
    }
    return outlines;
}

// Long outlines respaced by arc length: first to b·l points, then to c·l (both counts from the
// length measured before the first respacing).
void respace(Spline& spline, double b, double c) {
    if (spline.count <= 28) return;
    spline.compute_length();
    const double length = spline.length;
    if (b * length <= 5.0) return;
    const auto capped = [](double n) {
        return static_cast<int32_t>(std::min(n, double(Spline::max_points)));
    };
    spline.resample(capped(b * length), 3);
    spline.resample(capped(c * length), 3);
}

// Drops the points that lie within the tolerance of the line their neighbours leave. Outlines
// too short to gain anything, and thinnings that would leave fewer than 4 points (no cap), are
// kept as they are.
void thin(Spline& spline, double tolerance) {
    if (tolerance <= 0.0 || spline.points.size() < 8) return;
    std::vector<cv::Point2f> outline, thinned;
    outline.reserve(spline.points.size());
    for (const Vector3& p : spline.points) outline.emplace_back(p.x, p.y);
    cv::approxPolyDP(outline, thinned, tolerance, true);
    if (thinned.size() < 4) return;
    spline.points.clear();
    for (const cv::Point2f& p : thinned) spline.points.emplace_back(p.x, p.y, 0.0f);
    spline.channel2.clear();  // respacing filled them; an outline uses its points only
    spline.channel3.clear();
    spline.count = static_cast<int32_t>(spline.points.size());
}

// One quad strip round the outline: count + 1 steps closing the loop, each the wall's normal
// (the segment to the next point turned by a right angle in the xy plane) and the point.
std::vector<ExtrusionGeometry::WallStep> wall_strip(const Spline& spline) {
    const int count = static_cast<int>(spline.points.size());
    std::vector<ExtrusionGeometry::WallStep> strip;
    strip.reserve(count + 1);
    for (int k = 0; k <= count; ++k) {
        const Vector3& pa = spline.points[k % count];
        const Vector3& pb = spline.points[(k + 1) % count];
        const Vector3 a(ContourExtruder::quantise(pa.x), ContourExtruder::quantise(pa.y), 0.0f);
        Vector3 direction =
            a - Vector3(ContourExtruder::quantise(pb.x), ContourExtruder::quantise(pb.y), 0.0f);
        normalise(direction);
        const Vector3 normal = cross(Vector3(0.0f, 0.0f, -1.0f), direction);
        strip.push_back({{normal.x, normal.y, normal.z}, a.x, a.y});
    }
    return strip;
}

}  // namespace

ExtrusionGeometry ContourExtruder::build(const cv::Mat& image, double b, double c, double tolerance) {
    ExtrusionGeometry geometry;
    vertices_.clear();
    if (image.empty()) return geometry;
    const cv::Mat copy = as_grey8(image);
    // One-pixel-high or -wide images would divide by a zero half size.
    const float hw = static_cast<float>(std::max(copy.cols / 2, 1));
    const float hh = static_cast<float>(std::max(copy.rows / 2, 1));

    // Pass 0 finds the solid regions (>= 128), pass 1 the mid-grey holes (== 128).
    cv::Mat mask;
    for (int pass = 0; pass < 2; ++pass) {
        cv::compare(copy, 128, mask, pass == 0 ? cv::CMP_GE : cv::CMP_EQ);
        geometry.outlines[pass] = find_outlines(mask, hw, hh);
        for (Spline& spline : geometry.outlines[pass])
            if (spline.count >= 4) {
                respace(spline, b, c);
                thin(spline, tolerance);
            }
    }
    tessellate_caps(geometry);
    for (const auto& outlines : geometry.outlines)
        for (const Spline& spline : outlines)
            if (!spline.points.empty()) geometry.walls.push_back(wall_strip(spline));
    return geometry;
}

void ContourExtruder::tessellate_caps(ExtrusionGeometry& geometry) {
    std::unique_ptr<GLUtesselator, TessDeleter> tess(gluNewTess());
    TessellationSink sink{&geometry.cap_corners, &vertices_};
    using Callback = void(GLAPIENTRY*)();
    gluTessCallback(tess.get(), GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(on_begin));
    gluTessCallback(tess.get(), GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Callback>(on_edge_flag));
    gluTessCallback(tess.get(), GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(on_vertex));
    gluTessCallback(tess.get(), GLU_TESS_END_DATA, reinterpret_cast<Callback>(on_end));
    gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(on_combine));
    gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_POSITIVE);
    gluTessNormal(tess.get(), 0.0, 0.0, 1.0);

    // Solid and hole outlines of both passes form one polygon; holes are fed in reverse so that
    // they wind against the solids.
    gluTessBeginPolygon(tess.get(), &sink);
    for (int pass = 0; pass < 2; ++pass) {
        gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_POSITIVE);
        for (const Spline& spline : geometry.outlines[pass]) {
            if (spline.count < 4) continue;
            gluTessBeginContour(tess.get());
            const int n = static_cast<int>(spline.points.size());
            for (int k = 0; k < n; ++k) {
                const Vector3& p = spline.points[pass == 0 ? k : n - 1 - k];
                vertices_.push_back({quantise(p.x), quantise(p.y), 0.0});
                gluTessVertex(tess.get(), vertices_.back().data(), vertices_.back().data());
            }
            gluTessEndContour(tess.get());
        }
    }
    gluTessEndPolygon(tess.get());
}

void ContourExtruder::compile(const ExtrusionGeometry& geometry, unsigned int list) {
    glNewList(list + 1, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (const auto& corner : geometry.cap_corners) glVertex3f(corner[0], corner[1], 0.0f);
    glEnd();
    glEndList();

    glNewList(list, GL_COMPILE);
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    glCallList(list + 1);
    glTranslatef(0.0f, 0.0f, 1.0f);
    glCallList(list + 1);
    glTranslatef(0.0f, 0.0f, -1.0f);
    glPopMatrix();
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    for (const auto& wall : geometry.walls) {
        glBegin(GL_QUAD_STRIP);
        for (const auto& step : wall) {
            glNormal3fv(step.normal);
            glVertex3f(step.x, step.y, 0.0f);
            glVertex3f(step.x, step.y, 1.0f);
        }
        glEnd();
    }
    glEndList();
}

void ContourExtruder::extrude(const std::string& file_name, unsigned int list, double b, double c,
                              const cv::Mat* image) {
    const cv::Mat source = image ? *image : cv::imread(file_name, cv::IMREAD_GRAYSCALE);
    compile(build(source, b, c), list);
}
