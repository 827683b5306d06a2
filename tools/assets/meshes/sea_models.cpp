#include "tools/assets/meshes/models.h"

#include "core/random.h"

#include <algorithm>
#include <cmath>

namespace {

// A fish body's half-profile (radius, position along the body) from tail to nose.
std::vector<Vec2> fish_profile(double length, double depth) {
    std::vector<Vec2> profile;
    const int n = 12;
    for (int i = 0; i <= n; ++i) {
        double t = static_cast<double>(i) / n;  // 0 tail, 1 nose
        double r = depth * 0.5 * std::pow(std::sin(3.14159265 * std::pow(t, 0.75)), 0.8);
        profile.push_back({std::max(r, i == 0 || i == n ? 0.0 : 0.02 * depth), length * (t - 0.5)});
    }
    return profile;
}

// Half a fish body, the back (upper) or the belly, laterally squeezed, pointing along +z.
Shape fish_half(double length, double depth, double width, bool upper) {
    Shape s = lathe(fish_profile(length, depth), 8, true, 180.0);
    s.rotate_x(90);
    if (!upper) s.rotate_z(180);
    s.scale({width / depth, 1, 1});
    return s;
}

// A thin fin from an outline drawn in (along the body, up) coordinates, in the body's plane.
Shape fin(const std::vector<Vec2>& outline, double thickness) {
    Shape s = extrude(outline, -thickness / 2, thickness / 2);
    s.rotate_y(-90);
    return s;
}

double ripple(double x, double z) {
    return 0.12 * std::sin(0.9 * x + 0.3 * z) + 0.08 * std::sin(0.5 * z - 1.3 * x + 1.0) +
           0.05 * std::sin(1.7 * x + 2.1 * z);
}

}  // namespace

Model build_seaplane() {
    Model model;
    model.add("sea", height_field(48, 48, -20, 20, -20, 20, ripple, 8));
    return model;
}

Model build_seafloor() {
    // A 300 × 300 patch of rippled sand with dunes, a scatter of boulders and kelp.
    Model model;
    auto dunes = [](double x, double z) {
        return 3.0 * std::sin(x / 13.0) * std::cos(z / 17.0) + 1.6 * std::sin(x / 5.3 + z / 9.1) +
               0.25 * std::sin(x * 1.3 + z * 0.4) - 0.004 * (x * x + z * z) / 20;
    };
    model.add("sand", height_field(96, 96, -150, 150, -150, 150, dunes, 24));
    RandomGenerator random(2010);
    Shape rocks, kelp;
    for (int i = 0; i < 60; ++i) {
        double x = 280 * random.draw_unit() - 140, z = 280 * random.draw_unit() - 140;
        double r = 1.5 + 5 * random.draw_unit() * random.draw_unit();
        Shape rock = ellipsoid(
            {0, 0, 0}, {r, r * (0.5 + 0.4 * random.draw_unit()), r * (0.7 + 0.5 * random.draw_unit())}, 8, 5);
        rock.rotate_y(360 * random.draw_unit()).translate({x, dunes(x, z) + r * 0.15, z});
        rocks.merge(rock);
    }
    for (int i = 0; i < 90; ++i) {
        double x = 280 * random.draw_unit() - 140, z = 280 * random.draw_unit() - 140;
        double h = 6 + 14 * random.draw_unit(), phase = 6.28 * random.draw_unit();
        std::vector<Vec3> path;
        std::vector<double> radii;
        for (int k = 0; k <= 8; ++k) {
            double t = k / 8.0;
            path.push_back({x + 1.2 * std::sin(phase + 3 * t) * t, dunes(x, z) - 0.2 + h * t,
                            z + 0.8 * std::cos(phase + 2 * t) * t});
            radii.push_back(0.35 * (1 - 0.7 * t));
        }
        kelp.merge(tube(path, radii, 5));
    }
    model.add("rocks", std::move(rocks));
    model.add("kelp", std::move(kelp));
    return model;
}

Model build_background2() {
    // The far shore: a ring of jagged mountains, rock stacks standing in the water, and a
    // lighthouse on its rock; about 40 units across before the scene's ×17.
    Model model;
    RandomGenerator random(7);
    // Two ranges of peaks as height fields, the far one higher, both dropping below the water.
    auto range = [](double height, double centre_z, double depth, double phase) {
        return [=](double x, double z) {
            double ridge =
                height * (0.55 + 0.3 * std::sin(0.21 * x + phase) + 0.2 * std::sin(0.53 * x + 1 + 2 * phase) +
                          0.12 * std::sin(1.7 * x + phase) * std::sin(0.9 * x + 2));
            double across = (z - centre_z) / depth;
            return ridge * std::exp(-across * across * 2.5) - 1.0;
        };
    };
    Shape mountains = height_field(88, 14, -24, 24, -20, -4, range(7.0, -12, 8, 0.0), 4);
    mountains.merge(height_field(88, 12, -30, 30, -34, -18, range(11.0, -26, 8, 1.3), 4));
    model.add("mountains", std::move(mountains));

    Shape stacks;
    for (int i = 0; i < 7; ++i) {
        double x = -16 + 5.2 * i + 2 * random.draw_unit(), z = -2 + 4 * random.draw_unit();
        double h = 3 + 6 * random.draw_unit();
        stacks.merge(
            lathe({{0, -1}, {1.6, -1}, {1.3, h * 0.4}, {1.0, h * 0.8}, {0.5, h}, {0, h + 0.2}}, 7, false)
                .translate({x, 0, z}));
    }
    model.add("stacks", std::move(stacks));

    Shape lighthouse;
    lighthouse.merge(ellipsoid({0, 0, 0}, {4, 2, 3}, 10, 6));
    lighthouse.merge(frustum(1.2, 0.8, 1, 9, 12));
    lighthouse.merge(cylinder(1.1, 9, 10.4, 12));
    lighthouse.merge(cone(1.3, 10.4, 11.6, 12));
    lighthouse.translate({12, 0, 4});
    model.add("lighthouse", std::move(lighthouse));
    return model;
}

Model build_fishbait22() {
    // A bait fish 1 unit long pointing along +z. Object 1 (the dark back, tail and dorsal fin)
    // and object 4 (the pale belly) make the whole silhouette the school shows.
    Model model;
    const double length = 1.0, depth = 0.26, width = 0.12;
    Shape eyes;
    for (double side : {-1.0, 1.0})
        eyes.merge(ellipsoid({side * 0.045, 0.03, 0.33}, {0.02, 0.035, 0.035}, 6, 4));
    model.add("eyes", std::move(eyes));

    Shape back = fish_half(length, depth, width, true);
    back.merge(fin({{-0.62, -0.14}, {-0.44, 0}, {-0.62, 0.14}, {-0.55, 0}}, 0.01));  // forked tail
    back.merge(fin({{-0.12, 0.1}, {0.08, 0.11}, {-0.16, 0.2}}, 0.01));               // dorsal fin
    model.add("back", std::move(back));

    Shape fins;
    for (double side : {-1.0, 1.0}) {
        Shape f = fin({{0.18, -0.02}, {0.25, -0.01}, {0.1, -0.09}}, 0.008);
        f.rotate_z(side * 35).translate({side * 0.05, 0, 0});
        fins.merge(f);
    }
    model.add("fins", std::move(fins));

    Shape gills;
    for (double side : {-1.0, 1.0}) {
        Shape g = torus(0.07, 0.006, 10, 4);
        g.rotate_z(90).scale({1, 1.2, 0.5}).translate({side * 0.05, 0, 0.22});
        gills.merge(g);
    }
    model.add("gills", std::move(gills));
    model.add("belly", fish_half(length, depth, width, false));
    return model;
}

Model build_fish() {
    // A deep-bodied fish 2 units long along +z: body, fins, eyes.
    Model model;
    Shape body = fish_half(2.0, 0.9, 0.36, true).merge(fish_half(2.0, 0.9, 0.36, false));
    model.add("body", std::move(body));
    Shape fins;
    fins.merge(fin({{-1.25, -0.4}, {-0.88, 0}, {-1.25, 0.4}, {-1.1, 0}}, 0.02));
    fins.merge(fin({{-0.5, 0.36}, {0.3, 0.4}, {-0.3, 0.75}, {-0.7, 0.55}}, 0.02));
    fins.merge(fin({{-0.5, -0.36}, {0.1, -0.38}, {-0.4, -0.6}}, 0.02));
    for (double side : {-1.0, 1.0}) {
        Shape f = fin({{0.35, -0.1}, {0.5, -0.05}, {0.1, -0.35}}, 0.015);
        f.rotate_z(side * 30).translate({side * 0.16, 0, 0});
        fins.merge(f);
    }
    model.add("fins", std::move(fins));
    Shape eyes;
    for (double side : {-1.0, 1.0}) eyes.merge(ellipsoid({side * 0.13, 0.1, 0.62}, {0.05, 0.09, 0.09}, 8, 6));
    model.add("eyes", std::move(eyes));
    return model;
}

Model build_sea() {
    Model model;
    auto waves = [](double x, double z) {
        return 0.25 * std::sin(0.35 * x + 0.2 * z) + 0.15 * std::sin(0.6 * z - 0.25 * x) +
               0.06 * std::sin(1.4 * x + 1.1 * z);
    };
    model.add("sea", height_field(80, 80, -80, 80, -80, 80, waves, 12));
    return model;
}

Model build_thebridge() {
    // A three-arch stone bridge along x, 64 units long, deck at y = 6.
    Model model;
    Shape deck;
    deck.merge(box({-32, 5.2, -2.5}, {32, 6, 2.5}));
    deck.merge(box({-38, 4.4, -2.5}, {-32, 5.2, 2.5}));
    deck.merge(box({32, 4.4, -2.5}, {38, 5.2, 2.5}));
    model.add("deck", std::move(deck));

    Shape arches;
    for (int i = 0; i < 3; ++i) {
        double cx = -21.3 + 21.3 * i;
        // The face of one arch span: a block with a semicircular opening, as one outline.
        std::vector<Vec2> outline = {{cx - 10.65, 5.2}, {cx - 10.65, -4}};
        for (int k = 0; k <= 16; ++k) {
            double a = 3.14159265 * (1 - k / 16.0);
            outline.push_back({cx + 8.2 * std::cos(a), -4 + 7.2 * std::sin(a)});
        }
        outline.push_back({cx + 10.65, -4});
        outline.push_back({cx + 10.65, 5.2});
        std::reverse(outline.begin(), outline.end());
        arches.merge(extrude(outline, -2.3, 2.3, 0.2));
    }
    for (int i = 0; i < 4; ++i) arches.merge(box({-33.5 + 21.3 * i, -6, -3}, {-30.5 + 21.3 * i, -3.5, 3}));
    model.add("arches", std::move(arches));

    Shape rails;
    for (double z : {-2.3, 2.3}) {
        rails.merge(box({-32, 7.0, z - 0.15}, {32, 7.3, z + 0.15}));
        for (int i = 0; i <= 32; ++i) rails.merge(box_at({-32 + 2.0 * i, 6.5, z}, {0.25, 1.0, 0.25}));
    }
    model.add("railings", std::move(rails));
    return model;
}
