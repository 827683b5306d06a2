#pragma once
// The procedural modelling kit behind every generated mesh.
//
// A Shape is a soup of vertices (position, normal, texture coordinate) and triangles or quads
// that index them, wound counter-clockwise seen from the side the normals point to. Primitives
// build shapes; transforms move them in place and keep normals and winding outward; shapes merge
// into the named objects of a Model, which the OBJ writer emits as one `o` group each, in order,
// because the scenes draw meshes by object number.
#include <array>
#include <functional>
#include <string>
#include <vector>

struct Vec2 {
    double x = 0, y = 0;
};

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(double s, Vec3 a) { return a * s; }
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }
double dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
double length(Vec3 a);
// a / |a|, or (0, 1, 0) for a vector too short to have a direction.
Vec3 normalised(Vec3 a);
Vec3 lerp(Vec3 a, Vec3 b, double t);

struct Vertex {
    Vec3 position;
    Vec3 normal;
    Vec2 uv;
};

// A triangle (count 3) or quad (count 4).
struct Polygon {
    std::array<int, 4> corners{};
    int count = 3;
};

// A 3×4 affine map: linear part in columns 0-2, translation in column 3.
struct Affine {
    double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

    static Affine translation(Vec3 t);
    static Affine scaling(Vec3 s);
    // Right-handed rotations by degrees about the axes through the origin.
    static Affine rotation_x(double degrees);
    static Affine rotation_y(double degrees);
    static Affine rotation_z(double degrees);
    // The rotation that turns +y onto `direction` (shortest arc).
    static Affine y_onto(Vec3 direction);

    // this ∘ other: applies `other` first.
    Affine operator*(const Affine& other) const;
    Vec3 point(Vec3 p) const;
    Vec3 direction(Vec3 d) const;
    double determinant() const;
};

struct Shape {
    std::vector<Vertex> vertices;
    std::vector<Polygon> polygons;

    Shape& merge(const Shape& other);
    // Applies the map to positions and (by the inverse transpose) to normals; a mirroring map
    // also reverses the winding so the faces stay counter-clockwise seen from outside.
    Shape& transform(const Affine& map);
    Shape& translate(Vec3 t) { return transform(Affine::translation(t)); }
    Shape& scale(Vec3 s) { return transform(Affine::scaling(s)); }
    Shape& scale(double s) { return transform(Affine::scaling({s, s, s})); }
    Shape& rotate_x(double degrees) { return transform(Affine::rotation_x(degrees)); }
    Shape& rotate_y(double degrees) { return transform(Affine::rotation_y(degrees)); }
    Shape& rotate_z(double degrees) { return transform(Affine::rotation_z(degrees)); }
    // Reverses the winding of every polygon, leaving the normals: for geometry whose draw call
    // mirrors it, so that it is counter-clockwise on screen once drawn.
    Shape& reverse_winding();
    // Replaces every vertex position by f(position); normals are recomputed from the faces.
    Shape& deform(const std::function<Vec3(Vec3)>& f);
    // Smooth normals from the faces, for shapes whose vertices are shared between faces.
    Shape& recompute_normals();

    int triangle_count() const;
};

// Axis-aligned box between two corners; flat faces, each face mapped to the whole texture.
Shape box(Vec3 lo, Vec3 hi);
// A box of the given size centred on `centre`.
Shape box_at(Vec3 centre, Vec3 size);
// A solid of revolution about the y axis through the profile points (radius, height), from
// bottom to top; a point with radius 0 closes the solid there. `smooth` shares normals between
// the profile's segments; flat otherwise. u runs around, v along the profile.
// `sweep` limits the revolution to the angles 0..sweep degrees (a shell, open at its edges).
Shape lathe(const std::vector<Vec2>& profile, int sides, bool smooth = true, double sweep = 360.0);
// Frustum about the y axis from y0 (radius r0) to y1 (radius r1), capped at both ends.
Shape frustum(double r0, double r1, double y0, double y1, int sides);
Shape cylinder(double radius, double y0, double y1, int sides);
Shape cone(double radius, double y0, double y1, int sides);
Shape sphere(double radius, int slices, int stacks);
// Sphere scaled to the half-axes `radii`, centred on `centre`.
Shape ellipsoid(Vec3 centre, Vec3 radii, int slices = 12, int stacks = 8);
// Ring about the y axis: `major` from the axis to the tube's centre, `minor` the tube's radius.
Shape torus(double major, double minor, int segments, int sides);
// A rounded limb from a to b: radii ra at a and rb at b, with domed ends.
Shape limb(Vec3 a, Vec3 b, double ra, double rb, int sides = 8);
// A flat outline in the xy plane (counter-clockwise, simple polygon) extruded along z from
// z0 to z1, with capped ends; u/v of the caps follow x/y scaled by `uv_scale`.
Shape extrude(const std::vector<Vec2>& outline, double z0, double z1, double uv_scale = 1.0);
// A tube of `sides` sides along the path, with a radius per path point; ends capped.
Shape tube(const std::vector<Vec3>& path, const std::vector<double>& radii, int sides, bool caps = true);
Shape tube(const std::vector<Vec3>& path, double radius, int sides, bool caps = true);
// A height field over the xz plane: (nx × nz) quads covering x0..x1, z0..z1 at height
// height(x, z), facing +y; uv spans 0..uv_repeat across the grid.
Shape height_field(int nx, int nz, double x0, double x1, double z0, double z1,
                   const std::function<double(double, double)>& height, double uv_repeat = 1.0);
// A star outline with `points` tips of radius r_out and notches of radius r_in.
std::vector<Vec2> star_outline(int points, double r_out, double r_in);

// Named objects, emitted in order as the mesh's `o` groups.
struct Model {
    struct Object {
        std::string name;
        Shape shape;
    };
    std::vector<Object> objects;

    Shape& add(std::string name, Shape shape = {});
    int triangle_count() const;
};
