#pragma once
// The wall's bricks where their flight has taken them: each quad face of the wall mesh becomes a
// brick 2 · brick_depth thick that tumbles about its long axis as far as it has flown. The bricks
// are placed once a frame; each pass then sends only the faces its viewpoint sees (software GL
// shades every vertex it is sent, hidden or not).
//
// A brick's faces are its front (towards −z as the mesh stands), its back, then its four sides,
// all wound as the mesh winds the face. The wall's material turns a normal round on a face seen
// from behind and is lit through that: the front and back carry the front's and the back's outer
// normal, each side the normal its winding gives.
#include <span>
#include <vector>

#include "scenes/finale/flight_paths.h"
#include "scenes/kit/screen_area.h"

class Mesh;

namespace finale {

inline constexpr float brick_depth = 0.035f;  // mesh units, half a brick's thickness

struct BrickVertex {
    float position[3];  // wall mesh units, before the wall's placement
    float normal[3];
};

struct BrickFace {
    BrickVertex corners[4];  // as drawn
    Vector3 outward;         // the normal of its outer side
    float offset;            // outward · p for the face's points p
};

struct PlacedWall {
    std::vector<BrickFace> faces;  // six a brick
    Vector3 low, high;             // the corners' bounds (undefined without bricks)
};

// Replaces `wall` by the bricks of the faces that have a path, at the fractional flight step
// `step`.
void place_bricks(const Mesh& mesh, std::span<const FlightPath> paths, double step, PlacedWall& wall);

// Replaces `quads` by the corners of the faces `eye` (in wall mesh units) sees from outside,
// four a quad.
void seen_quads(const PlacedWall& wall, const Viewpoint& eye, std::vector<BrickVertex>& quads);

}  // namespace finale
