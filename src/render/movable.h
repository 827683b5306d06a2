#pragma once
// Base class of the scene objects that move and can show their bounds: the skeleton figure
// (body), rigid objects and OBJ objects (objloader).
//
// The bounds are an axis-aligned box given by its centre, half extents and eight corners, in the
// order (x0,y0,z0) (x0,y0,z1) (x0,y1,z1) (x0,y1,z0) (x1,y0,z0) (x1,y0,z1) (x1,y1,z1) (x1,y1,z0):
// corners 0..3 loop around the x = min face, 4..7 around the x = max face, and corner k joins
// corner k + 4.
#include <string>

class movable {
public:
    movable();
    virtual ~movable() = default;
    // Draws the object; nothing by default.
    virtual void draw() {}
    // Steps the object's animation by one frame; nothing by default.
    virtual void advance() {}
    // Computes bounds and box corners; nothing by default.
    virtual void compute_bounds() {}

    // Column-major; diag(1, 1, -1, 1) at construction: the show's objects face down -z.
    float model_matrix[16];
    // A second transform for derived objects; all zero at construction.
    float second_matrix[16] = {};
    bool show_bounds = false;
    bool highlight = false;
    float bounds_centre[3] = {};
    float half_extents[3] = {};
    float corners[8][3] = {};
    std::string name;
    int enabled = 1;

    // Fills centre, half extents and the eight corners from the box's minimum and maximum.
    void set_bounds(const float min[3], const float max[3]);
    // The box outline between a matrix push and pop, (0.7, 0.3, 0.4) highlighted, else
    // (0.4, 0.3, 0.7). Lighting is off while drawing and on afterwards.
    void draw_bounds_framed() const;
    // The same outline without the push and pop, (0.9, 0.3, 0.2) highlighted, else (0.2, 0.4, 0.2).
    void draw_bounds_plain() const;

private:
    void draw_box_lines(float red, float green, float blue) const;
};
