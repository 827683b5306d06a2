#include "tools/assets/meshes/model_kit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
double radians(double degrees) { return degrees * kPi / 180.0; }

Polygon tri(int a, int b, int c) { return {{a, b, c, 0}, 3}; }
Polygon quad(int a, int b, int c, int d) { return {{a, b, c, d}, 4}; }

// Twice the signed area of a 2D outline: positive when counter-clockwise.
double signed_area(const std::vector<Vec2>& outline) {
    double sum = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const Vec2& a = outline[i];
        const Vec2& b = outline[(i + 1) % outline.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

double turn(Vec2 a, Vec2 b, Vec2 c) { return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x); }

bool inside_triangle(Vec2 p, Vec2 a, Vec2 b, Vec2 c) {
    return turn(a, b, p) >= 0 && turn(b, c, p) >= 0 && turn(c, a, p) >= 0;
}

// Ear clipping of a simple counter-clockwise outline into index triangles.
std::vector<std::array<int, 3>> triangulate(const std::vector<Vec2>& outline) {
    std::vector<std::array<int, 3>> out;
    std::vector<int> left(outline.size());
    for (size_t i = 0; i < left.size(); ++i) left[i] = static_cast<int>(i);
    int guard = 0;
    while (left.size() > 3 && guard < 100000) {
        ++guard;
        bool clipped = false;
        for (size_t i = 0; i < left.size(); ++i) {
            int ia = left[(i + left.size() - 1) % left.size()], ib = left[i],
                ic = left[(i + 1) % left.size()];
            Vec2 a = outline[ia], b = outline[ib], c = outline[ic];
            if (turn(a, b, c) <= 1e-12) continue;
            bool ear = true;
            for (int j : left) {
                if (j == ia || j == ib || j == ic) continue;
                if (inside_triangle(outline[j], a, b, c)) {
                    ear = false;
                    break;
                }
            }
            if (!ear) continue;
            out.push_back({ia, ib, ic});
            left.erase(left.begin() + static_cast<long>(i));
            clipped = true;
            break;
        }
        if (!clipped) break;  // degenerate remainder: fan it
    }
    for (size_t i = 1; i + 1 < left.size(); ++i) out.push_back({left[0], left[i], left[i + 1]});
    return out;
}

}  // namespace

double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double length(Vec3 a) { return std::sqrt(dot(a, a)); }
Vec3 normalised(Vec3 a) {
    double l = length(a);
    return l < 1e-12 ? Vec3{0, 1, 0} : a * (1.0 / l);
}
Vec3 lerp(Vec3 a, Vec3 b, double t) { return a + (b - a) * t; }

Affine Affine::translation(Vec3 t) {
    Affine a;
    a.m[0][3] = t.x;
    a.m[1][3] = t.y;
    a.m[2][3] = t.z;
    return a;
}

Affine Affine::scaling(Vec3 s) {
    Affine a;
    a.m[0][0] = s.x;
    a.m[1][1] = s.y;
    a.m[2][2] = s.z;
    return a;
}

Affine Affine::rotation_x(double degrees) {
    double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Affine a;
    a.m[1][1] = c;
    a.m[1][2] = -s;
    a.m[2][1] = s;
    a.m[2][2] = c;
    return a;
}

Affine Affine::rotation_y(double degrees) {
    double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Affine a;
    a.m[0][0] = c;
    a.m[0][2] = s;
    a.m[2][0] = -s;
    a.m[2][2] = c;
    return a;
}

Affine Affine::rotation_z(double degrees) {
    double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Affine a;
    a.m[0][0] = c;
    a.m[0][1] = -s;
    a.m[1][0] = s;
    a.m[1][1] = c;
    return a;
}

Affine Affine::y_onto(Vec3 direction) {
    Vec3 d = normalised(direction);
    Vec3 axis = cross({0, 1, 0}, d);
    double s = length(axis), c = d.y;
    if (s < 1e-9) return c > 0 ? Affine{} : rotation_x(180);
    axis = axis * (1.0 / s);
    // Rodrigues: R = cI + s[k]x + (1 - c) k kᵀ
    double k[3] = {axis.x, axis.y, axis.z};
    double kx[3][3] = {{0, -k[2], k[1]}, {k[2], 0, -k[0]}, {-k[1], k[0], 0}};
    Affine a;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) a.m[i][j] = (i == j ? c : 0.0) + s * kx[i][j] + (1 - c) * k[i] * k[j];
    return a;
}

Affine Affine::operator*(const Affine& o) const {
    Affine r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            double v = j == 3 ? m[i][3] : 0.0;
            for (int k = 0; k < 3; ++k) v += m[i][k] * o.m[k][j];
            r.m[i][j] = v;
        }
    }
    return r;
}

Vec3 Affine::point(Vec3 p) const {
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
}

Vec3 Affine::direction(Vec3 d) const {
    return {m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z, m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
            m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z};
}

double Affine::determinant() const {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

Shape& Shape::merge(const Shape& other) {
    int base = static_cast<int>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (Polygon p : other.polygons) {
        for (int i = 0; i < p.count; ++i) p.corners[i] += base;
        polygons.push_back(p);
    }
    return *this;
}

Shape& Shape::transform(const Affine& map) {
    // Normals go through the cofactor matrix (the inverse transpose up to the determinant).
    double c[3][3];
    const auto& m = map.m;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
            c[i][j] = m[i1][j1] * m[i2][j2] - m[i1][j2] * m[i2][j1];
        }
    }
    double det = map.determinant();
    double sign = det < 0 ? -1.0 : 1.0;
    for (Vertex& v : vertices) {
        v.position = map.point(v.position);
        Vec3 n = v.normal;
        Vec3 t{c[0][0] * n.x + c[0][1] * n.y + c[0][2] * n.z, c[1][0] * n.x + c[1][1] * n.y + c[1][2] * n.z,
               c[2][0] * n.x + c[2][1] * n.y + c[2][2] * n.z};
        v.normal = normalised(t * sign);
    }
    if (det < 0) {
        for (Polygon& p : polygons) std::reverse(p.corners.begin() + 1, p.corners.begin() + p.count);
    }
    return *this;
}

Shape& Shape::reverse_winding() {
    for (Polygon& p : polygons) std::reverse(p.corners.begin() + 1, p.corners.begin() + p.count);
    return *this;
}

Shape& Shape::deform(const std::function<Vec3(Vec3)>& f) {
    for (Vertex& v : vertices) v.position = f(v.position);
    return recompute_normals();
}

Shape& Shape::recompute_normals() {
    std::vector<Vec3> sum(vertices.size());
    for (const Polygon& p : polygons) {
        for (int k = 1; k + 1 < p.count; ++k) {
            Vec3 a = vertices[p.corners[0]].position, b = vertices[p.corners[k]].position,
                 c = vertices[p.corners[k + 1]].position;
            Vec3 n = cross(b - a, c - a);
            sum[p.corners[0]] = sum[p.corners[0]] + n;
            sum[p.corners[k]] = sum[p.corners[k]] + n;
            sum[p.corners[k + 1]] = sum[p.corners[k + 1]] + n;
        }
    }
    for (size_t i = 0; i < vertices.size(); ++i) {
        if (length(sum[i]) > 1e-15) vertices[i].normal = normalised(sum[i]);
    }
    return *this;
}

int Shape::triangle_count() const {
    int n = 0;
    for (const Polygon& p : polygons) n += p.count - 2;
    return n;
}

Shape box(Vec3 lo, Vec3 hi) {
    Vec3 c = (lo + hi) * 0.5, h = (hi - lo) * 0.5;
    struct Face {
        Vec3 n, u, v;
    };
    const Face faces[6] = {{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                           {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                           {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}};
    auto scaled = [&](Vec3 d) { return Vec3{d.x * h.x, d.y * h.y, d.z * h.z}; };
    Shape s;
    for (const Face& f : faces) {
        int base = static_cast<int>(s.vertices.size());
        Vec3 n = scaled(f.n), u = scaled(f.u), v = scaled(f.v);
        s.vertices.push_back({c + n - u - v, f.n, {0, 0}});
        s.vertices.push_back({c + n + u - v, f.n, {1, 0}});
        s.vertices.push_back({c + n + u + v, f.n, {1, 1}});
        s.vertices.push_back({c + n - u + v, f.n, {0, 1}});
        s.polygons.push_back(quad(base, base + 1, base + 2, base + 3));
    }
    return s;
}

Shape box_at(Vec3 centre, Vec3 size) { return box(centre - size * 0.5, centre + size * 0.5); }

Shape lathe(const std::vector<Vec2>& profile, int sides, bool smooth, double sweep) {
    Shape s;
    const int n = static_cast<int>(profile.size());
    if (n < 2 || sides < 3) return s;
    // Cumulative profile length for v.
    std::vector<double> along(n, 0.0);
    for (int i = 1; i < n; ++i)
        along[i] =
            along[i - 1] + std::hypot(profile[i].x - profile[i - 1].x, profile[i].y - profile[i - 1].y);
    double total = along[n - 1] > 0 ? along[n - 1] : 1.0;
    auto profile_normal = [&](Vec2 a, Vec2 b) {
        Vec2 t = b - a;
        double l = std::hypot(t.x, t.y);
        return l < 1e-12 ? Vec2{1, 0} : Vec2{t.y / l, -t.x / l};
    };
    auto ring = [&](int i, Vec2 pn) {
        int base = static_cast<int>(s.vertices.size());
        for (int j = 0; j <= sides; ++j) {
            double a = radians(sweep) * j / sides;
            double ca = std::cos(a), sa = std::sin(a);
            Vec3 p{profile[i].x * ca, profile[i].y, -profile[i].x * sa};
            Vec3 nn{pn.x * ca, pn.y, -pn.x * sa};
            s.vertices.push_back({p, normalised(nn), {static_cast<double>(j) / sides, along[i] / total}});
        }
        return base;
    };
    auto band = [&](int i, int r0, int r1) {
        bool pole0 = profile[i].x < 1e-9, pole1 = profile[i + 1].x < 1e-9;
        if (pole0 && pole1) return;
        for (int j = 0; j < sides; ++j) {
            int a = r0 + j, b = r0 + j + 1, c = r1 + j + 1, d = r1 + j;
            if (pole0)
                s.polygons.push_back(tri(a, c, d));
            else if (pole1)
                s.polygons.push_back(tri(a, b, d));
            else
                s.polygons.push_back(quad(a, b, c, d));
        }
    };
    if (smooth) {
        std::vector<int> rings(n);
        for (int i = 0; i < n; ++i) {
            Vec2 pn = profile_normal(profile[std::max(i - 1, 0)], profile[std::min(i + 1, n - 1)]);
            rings[i] = ring(i, pn);
        }
        for (int i = 0; i + 1 < n; ++i) band(i, rings[i], rings[i + 1]);
    } else {
        for (int i = 0; i + 1 < n; ++i) {
            Vec2 pn = profile_normal(profile[i], profile[i + 1]);
            int r0 = ring(i, pn), r1 = ring(i + 1, pn);
            band(i, r0, r1);
        }
    }
    return s;
}

Shape frustum(double r0, double r1, double y0, double y1, int sides) {
    return lathe({{0, y0}, {r0, y0}, {r1, y1}, {0, y1}}, sides, false);
}

Shape cylinder(double radius, double y0, double y1, int sides) {
    return frustum(radius, radius, y0, y1, sides);
}

Shape cone(double radius, double y0, double y1, int sides) {
    return lathe({{0, y0}, {radius, y0}, {0, y1}}, sides, false);
}

Shape sphere(double radius, int slices, int stacks) {
    std::vector<Vec2> profile;
    for (int i = 0; i <= stacks; ++i) {
        double a = -kPi / 2 + kPi * i / stacks;
        profile.push_back({radius * std::cos(a), radius * std::sin(a)});
    }
    profile.front().x = 0;
    profile.back().x = 0;
    Shape s = lathe(profile, slices, true);
    for (Vertex& v : s.vertices) v.normal = normalised(v.position);
    return s;
}

Shape ellipsoid(Vec3 centre, Vec3 radii, int slices, int stacks) {
    Shape s = sphere(1.0, slices, stacks);
    s.scale(radii).translate(centre);
    return s;
}

Shape torus(double major, double minor, int segments, int sides) {
    Shape s;
    for (int i = 0; i <= segments; ++i) {
        double a = 2 * kPi * i / segments;
        Vec3 radial{std::cos(a), 0, -std::sin(a)};
        for (int j = 0; j <= sides; ++j) {
            double b = 2 * kPi * j / sides;
            Vec3 n = radial * std::cos(b) + Vec3{0, std::sin(b), 0};
            s.vertices.push_back({radial * major + n * minor,
                                  n,
                                  {static_cast<double>(i) / segments, static_cast<double>(j) / sides}});
        }
    }
    int row = sides + 1;
    for (int i = 0; i < segments; ++i)
        for (int j = 0; j < sides; ++j)
            s.polygons.push_back(
                quad(i * row + j, (i + 1) * row + j, (i + 1) * row + j + 1, i * row + j + 1));
    return s;
}

Shape limb(Vec3 a, Vec3 b, double ra, double rb, int sides) {
    double len = length(b - a);
    std::vector<Vec2> profile;
    const int dome = 3;
    for (int k = 0; k <= dome; ++k) {
        double t = -kPi / 2 + (kPi / 2) * k / dome;
        profile.push_back({ra * std::cos(t), ra * std::sin(t)});
    }
    for (int k = 0; k <= dome; ++k) {
        double t = (kPi / 2) * k / dome;
        profile.push_back({rb * std::cos(t), len + rb * std::sin(t)});
    }
    profile.front().x = 0;
    profile.back().x = 0;
    Shape s = lathe(profile, sides, true);
    s.transform(Affine::translation(a) * Affine::y_onto(b - a));
    return s;
}

Shape extrude(const std::vector<Vec2>& outline_in, double z0, double z1, double uv_scale) {
    Shape s;
    std::vector<Vec2> outline = outline_in;
    if (outline.size() < 3) return s;
    if (signed_area(outline) < 0) std::reverse(outline.begin(), outline.end());
    const int n = static_cast<int>(outline.size());
    double perimeter = 0, run = 0;
    for (int i = 0; i < n; ++i)
        perimeter += std::hypot(outline[(i + 1) % n].x - outline[i].x, outline[(i + 1) % n].y - outline[i].y);
    for (int i = 0; i < n; ++i) {
        Vec2 p = outline[i], q = outline[(i + 1) % n];
        double l = std::hypot(q.x - p.x, q.y - p.y);
        if (l < 1e-12) continue;
        Vec3 nrm{(q.y - p.y) / l, -(q.x - p.x) / l, 0};
        double u0 = run / perimeter, u1 = (run + l) / perimeter;
        run += l;
        int base = static_cast<int>(s.vertices.size());
        s.vertices.push_back({{p.x, p.y, z0}, nrm, {u0, 0}});
        s.vertices.push_back({{q.x, q.y, z0}, nrm, {u1, 0}});
        s.vertices.push_back({{q.x, q.y, z1}, nrm, {u1, 1}});
        s.vertices.push_back({{p.x, p.y, z1}, nrm, {u0, 1}});
        s.polygons.push_back(quad(base, base + 1, base + 2, base + 3));
    }
    auto tris = triangulate(outline);
    for (double z : {z1, z0}) {
        bool front = z == z1;
        int base = static_cast<int>(s.vertices.size());
        for (const Vec2& p : outline)
            s.vertices.push_back(
                {{p.x, p.y, z}, {0, 0, front ? 1.0 : -1.0}, {p.x * uv_scale, p.y * uv_scale}});
        for (const auto& t : tris) {
            if (front)
                s.polygons.push_back(tri(base + t[0], base + t[1], base + t[2]));
            else
                s.polygons.push_back(tri(base + t[0], base + t[2], base + t[1]));
        }
    }
    return s;
}

Shape tube(const std::vector<Vec3>& path, const std::vector<double>& radii, int sides, bool caps) {
    Shape s;
    const int n = static_cast<int>(path.size());
    if (n < 2 || sides < 3) return s;
    auto tangent = [&](int i) { return normalised(path[std::min(i + 1, n - 1)] - path[std::max(i - 1, 0)]); };
    // Parallel transport of a normal along the path keeps the rings from twisting.
    Vec3 t0 = tangent(0);
    Vec3 helper = std::fabs(t0.y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    Vec3 normal = normalised(cross(cross(t0, helper), t0));
    double along = 0;
    int row = sides + 1;
    for (int i = 0; i < n; ++i) {
        Vec3 t = tangent(i);
        normal = normalised(normal - t * dot(normal, t));
        Vec3 bi = cross(t, normal);
        if (i > 0) along += length(path[i] - path[i - 1]);
        for (int j = 0; j <= sides; ++j) {
            double a = 2 * kPi * j / sides;
            Vec3 d = normal * std::cos(a) + bi * std::sin(a);
            s.vertices.push_back({path[i] + d * radii[i], d, {static_cast<double>(j) / sides, along}});
        }
    }
    for (int i = 0; i + 1 < n; ++i)
        for (int j = 0; j < sides; ++j)
            s.polygons.push_back(
                quad(i * row + j, i * row + j + 1, (i + 1) * row + j + 1, (i + 1) * row + j));
    if (caps) {
        for (int end = 0; end < 2; ++end) {
            int i = end == 0 ? 0 : n - 1;
            Vec3 out = end == 0 ? -tangent(0) : tangent(n - 1);
            int centre = static_cast<int>(s.vertices.size());
            s.vertices.push_back({path[i], out, {0.5, 0.5}});
            for (int j = 0; j <= sides; ++j) {
                Vertex v = s.vertices[i * row + j];
                v.normal = out;
                s.vertices.push_back(v);
            }
            for (int j = 0; j < sides; ++j) {
                if (end == 0)
                    s.polygons.push_back(tri(centre, centre + 2 + j, centre + 1 + j));
                else
                    s.polygons.push_back(tri(centre, centre + 1 + j, centre + 2 + j));
            }
        }
    }
    return s;
}

Shape tube(const std::vector<Vec3>& path, double radius, int sides, bool caps) {
    return tube(path, std::vector<double>(path.size(), radius), sides, caps);
}

Shape height_field(int nx, int nz, double x0, double x1, double z0, double z1,
                   const std::function<double(double, double)>& height, double uv_repeat) {
    Shape s;
    double dx = (x1 - x0) / nx, dz = (z1 - z0) / nz;
    for (int j = 0; j <= nz; ++j) {
        for (int i = 0; i <= nx; ++i) {
            double x = x0 + dx * i, z = z0 + dz * j;
            double h = height(x, z);
            double gx = (height(x + dx * 0.5, z) - height(x - dx * 0.5, z)) / dx;
            double gz = (height(x, z + dz * 0.5) - height(x, z - dz * 0.5)) / dz;
            s.vertices.push_back(
                {{x, h, z}, normalised({-gx, 1, -gz}), {uv_repeat * i / nx, uv_repeat * j / nz}});
        }
    }
    int row = nx + 1;
    for (int j = 0; j < nz; ++j)
        for (int i = 0; i < nx; ++i)
            s.polygons.push_back(
                quad((j + 1) * row + i, (j + 1) * row + i + 1, j * row + i + 1, j * row + i));
    return s;
}

std::vector<Vec2> star_outline(int points, double r_out, double r_in) {
    std::vector<Vec2> out;
    for (int i = 0; i < points * 2; ++i) {
        double a = kPi / 2 + kPi * i / points;
        double r = i % 2 == 0 ? r_out : r_in;
        out.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return out;
}

Shape& Model::add(std::string name, Shape shape) {
    objects.push_back({std::move(name), std::move(shape)});
    return objects.back().shape;
}

int Model::triangle_count() const {
    int n = 0;
    for (const Object& o : objects) n += o.shape.triangle_count();
    return n;
}
