#include "tools/assets/meshes/models.h"

#include "core/random.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979;

// A mouth as a curved bar across the face: `curve` > 0 smiles, < 0 frowns.
Shape mouth(Vec3 centre, double width, double curve) {
    std::vector<Vec3> path;
    for (int k = 0; k <= 8; ++k) {
        double t = k / 8.0 * 2 - 1;
        path.push_back(centre + Vec3{t * width / 2, curve * (t * t - 0.5), -0.05 * t * t});
    }
    return tube(path, 0.045, 6);
}

// One stylised face about 1.2 units tall looking along +z.
Shape face(int expression) {
    Shape s;
    s.merge(ellipsoid({0, 0, 0}, {0.45, 0.6, 0.4}, 14, 10));
    s.merge(ellipsoid({0, 0.22, -0.06}, {0.47, 0.45, 0.42}, 12, 8));  // hair
    s.merge(ellipsoid({0, -0.02, 0.42}, {0.09, 0.16, 0.12}, 8, 6));   // nose
    for (double side : {-1.0, 1.0}) {
        s.merge(ellipsoid({side * 0.17, 0.12, 0.31}, {0.1, 0.075, 0.07}, 8, 6));  // eye
        s.merge(box_at({0, 0, 0}, {0.22, 0.05, 0.07})
                    .rotate_z(side * (expression == 1 ? 14 : -8))
                    .translate({side * 0.18, 0.27, 0.33}));                    // brow
        s.merge(ellipsoid({side * 0.44, 0.05, 0}, {0.06, 0.13, 0.09}, 6, 4));  // ear
    }
    switch (expression) {
        case 0:
            s.merge(mouth({0, -0.3, 0.34}, 0.32, 0.08));
            break;
        case 1:
            s.merge(mouth({0, -0.3, 0.34}, 0.28, -0.07));
            break;
        case 2:
            s.merge(torus(0.08, 0.025, 12, 5).rotate_x(90).scale({1, 1.3, 1}).translate({0, -0.3, 0.34}));
            break;
        default:
            s.merge(mouth({0, -0.3, 0.35}, 0.26, 0.0));
            break;
    }
    return s;
}

struct Branch {
    std::vector<Vec3> path;
    std::vector<double> radii;
};

// A tree grown from the show's generator: tapering branches that fork, with leaf cards at the
// tips.
void grow(RandomGenerator& random, Vec3 base, Vec3 direction, double length, double radius, int depth,
          Shape& wood, Shape& leaves) {
    Branch b;
    Vec3 d = normalised(direction);
    for (int k = 0; k <= 4; ++k) {
        double t = k / 4.0;
        Vec3 bend{0.15 * std::sin(3 * t + depth), 0, 0.15 * std::cos(2 * t + depth)};
        b.path.push_back(base + (d + bend * t) * (length * t));
        b.radii.push_back(radius * (1 - 0.35 * t));
    }
    wood.merge(tube(b.path, b.radii, depth > 2 ? 8 : 5));
    Vec3 tip = b.path.back();
    if (depth == 0) {
        for (int k = 0; k < 8; ++k) {
            Vec3 at =
                tip +
                Vec3{random.draw_unit() - 0.5, random.draw_unit() - 0.3, random.draw_unit() - 0.5} * 1.4;
            Shape card = extrude({{-0.34, 0}, {0, -0.2}, {0.34, 0}, {0, 0.2}}, -0.015, 0.015, 1.0);
            card.rotate_x(90 + 80 * random.draw_unit() - 40).rotate_y(360 * random.draw_unit()).translate(at);
            leaves.merge(card);
        }
        return;
    }
    int forks = depth > 2 ? 3 : 2 + random.draw() % 2;
    for (int f = 0; f < forks; ++f) {
        double around = 360.0 * (f + random.draw_unit() * 0.5) / forks, spread = 25 + 20 * random.draw_unit();
        Vec3 next = Affine::y_onto(d).direction(
            Affine::rotation_y(around).direction(Affine::rotation_z(spread).direction({0, 1, 0})));
        grow(random, tip, next + Vec3{0, 0.25, 0}, length * (0.62 + 0.12 * random.draw_unit()),
             b.radii.back() * 0.75, depth - 1, wood, leaves);
    }
}

}  // namespace

Model build_sphere() {
    Model model;
    model.add("sphere", sphere(1.0, 32, 16));
    return model;
}

Model build_faces() {
    // Four small faces side by side along x (groups 0-3: smiling, frowning, astonished, calm).
    Model model;
    for (int i = 0; i < 4; ++i)
        model.add("face" + std::to_string(i), face(i).translate({-1.5 + 1.0 * i, 0, 0}));
    return model;
}

Model build_bait3() {
    // A big mosaic face 3.2 units tall made of tiles on its curved front, eye and mouth left
    // open, split into the pieces above the nose (group 0) and below (group 1).
    Model model;
    Shape upper, lower;
    const Vec3 radii{1.2, 1.6, 0.9};
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 22; ++j) {
            double u = -1.2 + 2.4 * (i + 0.5) / 16, v = -1.6 + 3.2 * (j + 0.5) / 22;
            double q = 1 - (u / radii.x) * (u / radii.x) - (v / radii.y) * (v / radii.y);
            if (q <= 0.02) continue;
            bool eye = std::hypot(std::fabs(u) - 0.45, v - 0.35) < 0.22;
            bool mouth = std::fabs(u) < 0.45 && std::fabs(v + 0.75 - 0.25 * u * u) < 0.1;
            if (eye || mouth) continue;
            Vec3 at{u, v, radii.z * std::sqrt(q)};
            Vec3 normal = normalised(
                {at.x / (radii.x * radii.x), at.y / (radii.y * radii.y), at.z / (radii.z * radii.z)});
            Shape tile = box_at({0, 0, 0}, {0.13, 0.07, 0.13});
            tile.transform(Affine::translation(at) * Affine::y_onto(normal));
            (v > 0 ? upper : lower).merge(tile);
        }
    }
    // The nose, a ridge of tiles of its own.
    for (int k = 0; k < 5; ++k) upper.merge(box_at({0, 0.25 - 0.12 * k, 0.92 + 0.04 * k}, {0.12, 0.1, 0.12}));
    model.add("upper", std::move(upper));
    model.add("lower", std::move(lower));
    return model;
}

Model build_tree3() {
    // A big broad tree about 14 units tall: the trunk and boughs (group 0) and the leaves
    // (group 1).
    Model model;
    RandomGenerator random(3);
    Shape wood, leaves;
    grow(random, {0, -0.5, 0}, {0, 1, 0}, 5.5, 0.7, 4, wood, leaves);
    // Roots flaring into the ground.
    for (int k = 0; k < 5; ++k) {
        double a = 72.0 * k;
        Vec3 out = Affine::rotation_y(a).direction({1, 0, 0});
        wood.merge(tube({{0, 0.8, 0}, out * 0.9 + Vec3{0, 0.1, 0}, out * 1.6 + Vec3{0, -0.3, 0}},
                        std::vector<double>{0.35, 0.22, 0.08}, 5));
    }
    model.add("trunk", std::move(wood));
    model.add("leaves", std::move(leaves));
    return model;
}

Model build_bighouse2() {
    // A tall two-storey house 10 wide and 8 deep with its gable along x: walls (0), roof (1),
    // windows (2), door (3), chimney (4), porch and steps (5).
    Model model;
    model.add("walls", box({-5, 0, -4}, {5, 6.5, 4}));
    model.add("roof", extrude({{-5.6, 6.3}, {5.6, 6.3}, {0, 10.2}}, -4.5, 4.5, 0.2));
    Shape windows;
    for (double x : {-3.2, -1.0, 1.2, 3.4}) {
        for (double y : {1.6, 4.3}) {
            if (y < 2 && std::fabs(x - 0.1) < 1.2) continue;  // the door is there
            windows.merge(box({x - 0.55, y, 3.98}, {x + 0.55, y + 1.4, 4.12}));
            windows.merge(box({x - 0.7, y - 0.18, 3.98}, {x + 0.7, y, 4.3}));  // sill
        }
    }
    for (double z : {-2, 2}) windows.merge(box({4.98, 4.3, z - 0.55}, {5.12, 5.7, z + 0.55}));
    windows.merge(
        cylinder(0.6, -0.06, 0.06, 12).rotate_x(90).translate({0, 7.6, 4.45}));  // attic round window
    model.add("windows", std::move(windows));
    model.add("door", box({-0.6, 0, 3.98}, {0.8, 2.6, 4.12}));
    Shape chimney = box({2.2, 7.0, -1.6}, {3.2, 10.6, -0.6});
    chimney.merge(box({2.0, 10.6, -1.8}, {3.4, 10.9, -0.4}));
    model.add("chimney", std::move(chimney));
    Shape porch;
    porch.merge(box({-1.8, 0, 4}, {2.0, 0.25, 5.6}));
    porch.merge(box({-1.4, 0, 5.6}, {1.6, 0.12, 6.2}));
    porch.merge(extrude({{-2.1, 2.9}, {2.3, 2.9}, {0.1, 3.9}}, 4.0, 5.7, 0.2));
    for (double x : {-1.6, 1.8}) porch.merge(cylinder(0.1, 0.25, 2.9, 8).translate({x, 0, 5.4}));
    model.add("porch", std::move(porch));
    return model;
}

Model build_wall() {
    // A brick wall of 1,408 bricks (32 rows of 44), one quad each and nothing else, so face i
    // is brick i: 3 units wide from y = -0.5 to 1.5 in the plane z = 0, facing -z, where its
    // bricks fly off. Odd rows sit half a brick over, giving ragged ends.
    Model model;
    Shape bricks;
    constexpr int kRows = 32, kColumns = 44;
    const double w = 3.0 / kColumns, h = 2.0 / kRows, gap = 0.1;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            double x0 = -1.5 + (column + (row % 2 ? 0.5 : 0.0)) * w, y0 = -0.5 + row * h;
            double x1 = x0 + w * (1 - gap), y1 = y0 + h * (1 - gap);
            int base = static_cast<int>(bricks.vertices.size());
            const Vec3 n{0, 0, -1};
            bricks.vertices.push_back({{x1, y0, 0}, n, {0, 0}});
            bricks.vertices.push_back({{x0, y0, 0}, n, {1, 0}});
            bricks.vertices.push_back({{x0, y1, 0}, n, {1, 1}});
            bricks.vertices.push_back({{x1, y1, 0}, n, {0, 1}});
            bricks.polygons.push_back({{base, base + 1, base + 2, base + 3}, 4});
        }
    }
    model.add("bricks", std::move(bricks));
    return model;
}
