#include "tools/assets/meshes/models.h"

#include "core/random.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979;

// A thin two-sided sheet from an outline in the xy plane.
Shape sheet(const std::vector<Vec2>& outline, double thickness = 0.04) {
    return extrude(outline, -thickness / 2, thickness / 2, 0.25);
}

}  // namespace

Model build_obj1() {
    // A paper village: the ground sheet (group 0), folded paper hills (group 1) and little paper
    // houses (group 2), about 80 units across.
    Model model;
    model.add("ground", height_field(
                            8, 8, -40, 40, -40, 40, [](double, double) { return 0.0; }, 4));
    RandomGenerator random(311);
    Shape hills, houses;
    for (int i = 0; i < 9; ++i) {
        double x = -34 + 8.5 * i, z = -30 - 6 * random.draw_unit();
        double w = 5 + 4 * random.draw_unit(), h = 4 + 6 * random.draw_unit();
        hills.merge(sheet({{-w, 0}, {w, 0}, {w * 0.3, h}, {-w * 0.2, h * 0.85}}, 0.3).translate({x, 0, z}));
    }
    for (int i = 0; i < 12; ++i) {
        double x = -30 + 5.5 * i, z = -8 + 10 * random.draw_unit() * (i % 2 ? 1 : -1);
        Shape house = extrude({{-1.2, 0}, {1.2, 0}, {1.2, 1.8}, {0, 2.9}, {-1.2, 1.8}}, -1.4, 1.4, 0.3);
        house.rotate_y(20 * random.draw_unit() - 10).translate({x, 0, z});
        houses.merge(house);
    }
    model.add("hills", std::move(hills));
    model.add("houses", std::move(houses));
    return model;
}

Model build_ant(bool coarse) {
    // An ant 0.55 units long facing -z, in the nine parts its drawing turns: head (0) on a neck
    // at z = -0.18; thorax (1); the legs of its left (+x) side, front to hind (2, 3, 4), hinged at
    // z = -0.09, -0.05 and 0; the gaster (5) hinged at z = 0.1; the right legs (6, 7, 8).
    // The coarse ant has half the facets round each part (tubes keep at least three sides).
    auto ellipsoid = [coarse](Vec3 c, Vec3 r, int slices, int stacks) {
        return ::ellipsoid(c, r, coarse ? std::max(slices / 2, 4) : slices,
                           coarse ? std::max(stacks / 2, 3) : stacks);
    };
    auto sides = [coarse](int n) { return coarse ? std::max(n / 2, 3) : n; };
    Model model;
    Shape head;
    head.merge(ellipsoid({0, 0.01, -0.225}, {0.042, 0.036, 0.048}, 10, 7));
    for (double s : {-1.0, 1.0}) {
        head.merge(tube({{s * 0.018, 0.0, -0.265}, {s * 0.03, -0.005, -0.29}, {s * 0.012, -0.01, -0.305}},
                        0.006, sides(4)));  // mandible
        head.merge(tube({{s * 0.02, 0.03, -0.25}, {s * 0.045, 0.08, -0.27}, {s * 0.06, 0.09, -0.33}}, 0.004,
                        sides(4)));  // antenna
    }
    model.add("head", std::move(head));
    Shape thorax;
    thorax.merge(ellipsoid({0, 0.015, -0.1}, {0.03, 0.03, 0.08}, 10, 7));
    thorax.merge(ellipsoid({0, 0.0, 0.025}, {0.02, 0.02, 0.05}, 8, 5));  // petiole
    thorax.merge(limb({0, 0.01, -0.18}, {0, 0.015, -0.15}, 0.016, 0.02, sides(6)));
    model.add("thorax", std::move(thorax));

    auto leg = [&](double side, double hinge, double reach) {
        Vec3 root{side * 0.022, 0, hinge}, knee{side * 0.085, 0.05, hinge + reach * 0.3},
            foot{side * 0.15, -0.06, hinge + reach};
        Shape s = tube({root, knee}, 0.007, sides(5));
        s.merge(tube({knee, foot}, 0.005, sides(5)));
        s.merge(ellipsoid(knee, {0.009, 0.009, 0.009}, 5, 4));
        return s;
    };
    const double hinges[3] = {-0.09, -0.05, 0.0}, reaches[3] = {-0.07, 0.0, 0.08};
    for (int i = 0; i < 3; ++i) model.add("leg_left" + std::to_string(i), leg(1, hinges[i], reaches[i]));
    model.add("gaster", ellipsoid({0, 0.02, 0.19}, {0.062, 0.056, 0.1}, 12, 8));
    for (int i = 0; i < 3; ++i) model.add("leg_right" + std::to_string(i), leg(-1, hinges[i], reaches[i]));
    return model;
}

Model build_kolones() {
    // A paper temple front: base steps and entablature with its pediment (group 0) and a row of
    // eight fluted columns 10 units tall, 4 apart (group 1).
    Model model;
    Shape frame, columns;
    frame.merge(box({-17, -0.6, -3}, {17, 0, 3}));
    frame.merge(box({-17.8, -1.2, -3.6}, {17.8, -0.6, 3.6}));
    frame.merge(box({-16.5, 10.4, -2.6}, {16.5, 12, 2.6}));
    frame.merge(extrude({{-17, 12}, {17, 12}, {0, 16}}, -2.6, 2.6, 0.1));
    for (int i = 0; i < 8; ++i) {
        double x = -14 + 4.0 * i;
        Shape c = lathe(
            {{0, 0}, {1.0, 0}, {1.0, 0.4}, {0.75, 0.6}, {0.7, 9.4}, {0.95, 9.8}, {1.0, 10.4}, {0, 10.4}}, 12,
            false);
        columns.merge(c.translate({x, 0, 0}));
    }
    model.add("temple", std::move(frame));
    model.add("columns", std::move(columns));
    return model;
}

Model build_forks() {
    // Five giant table forks standing on their handles, tines up, 8 units tall, 5 apart.
    Model model;
    for (int i = 0; i < 5; ++i) {
        Shape fork;
        fork.merge(limb({0, 0, 0}, {0, 4.6, 0}, 0.34, 0.2, 8).scale({1, 1, 0.45}));
        fork.merge(extrude({{-0.22, 4.5}, {0.22, 4.5}, {0.6, 5.6}, {-0.6, 5.6}}, -0.08, 0.08));
        for (int t = 0; t < 4; ++t)
            fork.merge(box({-0.6 + 0.34 * t, 5.5, -0.07}, {-0.44 + 0.34 * t, 8.0, 0.07}));
        fork.rotate_y(12.0 * i - 24).rotate_z(6.0 * ((i * 7) % 5 - 2)).translate({-10 + 5.0 * i, 0, 0});
        model.add("fork" + std::to_string(i), std::move(fork));
    }
    return model;
}

Model build_circle() {
    // Flat rings about the z axis in the xy plane, radius 1: a solid one (group 0) and a halo of
    // sixteen short bars (group 1).
    Model model;
    Shape ring = lathe({{0.9, -0.03}, {1.0, -0.03}, {1.0, 0.03}, {0.9, 0.03}, {0.9, -0.03}}, 48, false);
    ring.rotate_x(90);
    model.add("ring", std::move(ring));
    Shape halo;
    for (int k = 0; k < 16; ++k) halo.merge(box_at({0, 1.25, 0}, {0.05, 0.25, 0.04}).rotate_z(22.5 * k));
    model.add("halo", std::move(halo));
    return model;
}

Model build_theplane() {
    // A folded paper aeroplane 4 units long, nose along +z: the two wings (group 0) and the
    // keel (group 1).
    Model model;
    Shape wings;
    for (double s : {-1.0, 1.0}) {
        // Each wing is a triangle from the nose back to the trailing edge, tilted up a little.
        Shape w = sheet({{0, 2}, {0, -2}, {s * 1.7, -2}}, 0.03);
        w.rotate_x(90);  // into the xz plane
        w.rotate_z(s * 8).translate({0, 0.25, 0});
        wings.merge(w);
    }
    model.add("wings", std::move(wings));
    Shape keel = sheet({{2, 0.25}, {-2, 0.25}, {-2, -0.35}, {-0.6, -0.35}}, 0.05);
    keel.rotate_y(-90);
    model.add("keel", std::move(keel));
    return model;
}

Model build_thelong() {
    // A long accordion-folded paper strip, 60 units along x and 3 high, standing on y = 0.
    Model model;
    Shape strip;
    for (int i = 0; i < 40; ++i) {
        double x0 = -30 + 1.5 * i, x1 = x0 + 1.5;
        double z0 = i % 2 ? 0.5 : -0.5, z1 = -z0;
        Shape panel = box({0, 0, -0.02}, {std::hypot(1.5, 1.0), 3, 0.02});
        double angle = std::atan2(z1 - z0, x1 - x0) * 180 / kPi;
        panel.rotate_y(-angle).translate({x0, 0, z0});
        strip.merge(panel);
    }
    model.add("strip", std::move(strip));
    return model;
}

Model build_thecity1() {
    // A paper city 120 units square: the ground with its streets (group 0), blocks of buildings
    // (group 1) and towers with spires (group 2).
    Model model;
    model.add("ground", height_field(
                            12, 12, -60, 60, -60, 60, [](double, double) { return 0.0; }, 12));
    RandomGenerator random(1999);
    Shape blocks, towers;
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 12; ++j) {
            if ((i == 5 || i == 6) && j > 2) continue;  // the avenue
            double cx = -55 + 10.0 * i, cz = -55 + 10.0 * j;
            int buildings = 1 + random.draw() % 3;
            for (int b = 0; b < buildings; ++b) {
                double w = 2.5 + 3 * random.draw_unit(), d = 2.5 + 3 * random.draw_unit();
                double h = 3 + 10 * random.draw_unit() * random.draw_unit() + (std::abs(i - 6) < 3 ? 6 : 0);
                double ox = (random.draw_unit() - 0.5) * (7 - w), oz = (random.draw_unit() - 0.5) * (7 - d);
                blocks.merge(
                    box({cx + ox - w / 2, 0, cz + oz - d / 2}, {cx + ox + w / 2, h, cz + oz + d / 2}));
            }
            if (random.draw() % 9 == 0) {
                double h = 18 + 14 * random.draw_unit();
                towers.merge(box({cx - 2, 0, cz - 2}, {cx + 2, h, cz + 2}));
                towers.merge(box({cx - 1.4, h, cz - 1.4}, {cx + 1.4, h + 3, cz + 1.4}));
                towers.merge(cone(1.0, h + 3, h + 8, 4).rotate_y(45).translate({cx, 0, cz}));
            }
        }
    }
    model.add("blocks", std::move(blocks));
    model.add("towers", std::move(towers));
    return model;
}

Model build_tstar() {
    // A five-pointed star 1 unit across in the xy plane, 0.12 thick.
    Model model;
    model.add("star", extrude(star_outline(5, 0.5, 0.21), -0.06, 0.06, 1.0));
    return model;
}
