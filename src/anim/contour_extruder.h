#pragma once
// Turns a greyscale image into a slab one unit deep: the bright regions become a flat shape with
// caps on both faces and walls around every outline, compiled into two display lists.
//
// Two passes find outlines with OpenCV (outer contours only, every contour point kept):
//   pass 0  pixels >= 128: the solid regions;
//   pass 1  pixels == 128: hole regions, fed to the tessellator in reverse so they wind against
//           the solids (a mid-grey ring inside a white disc cuts a hole in the cap).
// A contour point at column px, row py of a W x H image becomes (x, y) = ((hh - py) / hh,
// (hw - px) / hw) with hh = H / 2, hw = W / 2; the 90 degree turn of the drawing puts it upright.
// Outlines longer than 28 points whose length l satisfies b·l > 5 are respaced twice by arc
// length, to trunc(b·l) and then trunc(c·l) points (3 subdivisions each). With a tolerance, every
// outline of 8 points or more is then thinned: points that lie within the tolerance of the line
// their neighbours leave are dropped (Douglas-Peucker), so that a smooth stretch keeps a few
// points instead of hundreds while no point moves off the outline by more than the tolerance.
// Cap and wall coordinates are quantised: x·30000 truncated to a 16-bit integer, times 1/3000, so
// the shape spans about -10..10 and near-coincident points merge. Outlines of 3 points or fewer
// get walls but no cap.
//
// The work is split so that the CPU step (contours, respacing, tessellation into triangles) needs
// no GL context and can run anywhere; the GL step only compiles what it produced.
#include <array>
#include <deque>
#include <string>
#include <vector>

#include <opencv2/core.hpp>

#include "anim/spline.h"

struct ExtrusionGeometry {
    // Outlines per pass (0 solid, 1 holes) after respacing, in contour order.
    std::vector<Spline> outlines[2];
    // Cap triangles at z = 0, three (x, y) corners each, quantised.
    std::vector<std::array<float, 2>> cap_corners;
    // One quad strip per outline (pass 0 outlines first): count + 1 steps closing the loop, each
    // a wall normal and the outline point A; the strip runs A at z = 0, A at z = 1.
    struct WallStep {
        float normal[3];
        float x, y;
    };
    std::vector<std::vector<WallStep>> walls;

    int cap_triangle_count() const { return static_cast<int>(cap_corners.size() / 3); }
    // The smallest and largest x and y of the caps' corners and the walls' points, as
    // {x low, y low, x high, y high}; all zero without any.
    std::array<float, 4> extent() const;
    // Quads of all walls: a strip of count + 1 steps has count quads.
    int wall_quad_count() const;
};

class ContourExtruder {
public:
    // The CPU step on an 8-bit image (other depths and channel counts are converted to 8-bit
    // grey); an empty image gives empty geometry. b and c are the coarse and fine densities;
    // tolerance (in the outline's normalised units, 0: none) thins the respaced outlines.
    ExtrusionGeometry build(const cv::Mat& image, double b, double c, double tolerance = 0.0);
    // The GL step: list + 1 = the cap at z = 0; list = front cap, back cap at z = 1 and the walls,
    // drawn turned by 90 degrees about +z. The turn outside the caps' push/pop stays in effect
    // after the list is called, so callers save and restore the matrix around it.
    static void compile(const ExtrusionGeometry& geometry, unsigned int list);
    // Both steps on the file (read as 8-bit grey) or on a copy of the given image. An unreadable
    // file gives two empty lists.
    void extrude(const std::string& file_name, unsigned int list, double b, double c,
                 const cv::Mat* image = nullptr);

    // Quantisation of one cap or wall coordinate.
    static float quantise(float v);

private:
    // The caps: every outline of at least 4 points, both passes as one polygon, tessellated into
    // the geometry's cap triangles.
    void tessellate_caps(ExtrusionGeometry& geometry);
    // Cap vertices handed to the tessellator: it keeps pointers to them until the polygon ends,
    // so the storage grows in place (a deque never moves its elements) instead of stopping at a
    // fixed count.
    std::deque<std::array<double, 3>> vertices_;
};
