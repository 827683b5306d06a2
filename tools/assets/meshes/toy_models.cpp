#include "tools/assets/meshes/models.h"

#include "core/random.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979;

// A wheel of radius r and width w on an axle along z through `centre`.
Shape wheel(Vec3 centre, double r, double w, int sides = 14) {
    Shape s = cylinder(r, -w / 2, w / 2, sides);
    s.merge(cylinder(r * 0.45, -w / 2 - 0.05, w / 2 + 0.05, 8));  // hub
    s.rotate_x(90).translate(centre);
    return s;
}

// A side profile (x along the length, y up) extruded across z.
Shape profile_body(const std::vector<Vec2>& outline, double half_width) {
    return extrude(outline, -half_width, half_width, 0.2);
}

// ---- chess -------------------------------------------------------------------------------

enum class Piece { kPawn, kRook, kKnight, kBishop, kQueen, kKing };

Shape chess_piece(Piece piece, double facing) {
    Shape s;
    switch (piece) {
        case Piece::kPawn:
            s = lathe({{0, 0},
                       {0.8, 0},
                       {0.8, 0.2},
                       {0.6, 0.35},
                       {0.45, 0.5},
                       {0.3, 1.1},
                       {0.5, 1.2},
                       {0.3, 1.3},
                       {0.38, 1.4},
                       {0.44, 1.58},
                       {0.36, 1.76},
                       {0.2, 1.86},
                       {0, 1.9}},
                      14, false);
            break;
        case Piece::kRook:
            s = lathe({{0, 0},
                       {0.85, 0},
                       {0.85, 0.25},
                       {0.6, 0.45},
                       {0.5, 1.6},
                       {0.72, 1.75},
                       {0.72, 2.15},
                       {0, 2.15}},
                      14, false);
            for (int k = 0; k < 5; ++k)
                s.merge(box_at({0.55 * std::cos(k * 2 * kPi / 5), 2.3, 0.55 * std::sin(k * 2 * kPi / 5)},
                               {0.3, 0.3, 0.3}));
            break;
        case Piece::kKnight: {
            s = lathe({{0, 0}, {0.85, 0}, {0.85, 0.25}, {0.6, 0.45}, {0.56, 0.8}, {0, 0.8}}, 14, false);
            Shape head = extrude({{-0.5, 0.7},
                                  {0.45, 0.7},
                                  {0.3, 1.3},
                                  {0.95, 1.5},
                                  {1.0, 1.85},
                                  {0.5, 2.2},
                                  {0.25, 2.55},
                                  {0.05, 2.3},
                                  {-0.45, 2.05},
                                  {-0.6, 1.4}},
                                 -0.28, 0.28);
            head.rotate_y(-90);  // the head's nose (+x of the outline) now points along +z
            s.merge(head);
            break;
        }
        case Piece::kBishop:
            s = lathe({{0, 0},
                       {0.8, 0},
                       {0.8, 0.2},
                       {0.55, 0.4},
                       {0.38, 1.4},
                       {0.6, 1.55},
                       {0.35, 1.68},
                       {0.48, 2.0},
                       {0.5, 2.3},
                       {0.3, 2.6},
                       {0.1, 2.75},
                       {0.16, 2.85},
                       {0, 2.95}},
                      14, false);
            break;
        case Piece::kQueen:
            s = lathe({{0, 0},
                       {0.9, 0},
                       {0.9, 0.25},
                       {0.62, 0.45},
                       {0.4, 1.8},
                       {0.72, 2.0},
                       {0.4, 2.12},
                       {0.56, 2.8},
                       {0.68, 3.05},
                       {0.3, 3.1},
                       {0, 3.12}},
                      14, false);
            for (int k = 0; k < 8; ++k)
                s.merge(ellipsoid({0.6 * std::cos(k * kPi / 4), 3.12, 0.6 * std::sin(k * kPi / 4)},
                                  {0.1, 0.1, 0.1}, 6, 4));
            s.merge(ellipsoid({0, 3.3, 0}, {0.2, 0.2, 0.2}, 8, 6));
            break;
        case Piece::kKing:
            s = lathe({{0, 0},
                       {0.92, 0},
                       {0.92, 0.25},
                       {0.64, 0.45},
                       {0.42, 2.0},
                       {0.74, 2.2},
                       {0.42, 2.32},
                       {0.6, 3.0},
                       {0.5, 3.25},
                       {0, 3.3}},
                      14, false);
            s.merge(box_at({0, 3.62, 0}, {0.16, 0.64, 0.16}));
            s.merge(box_at({0, 3.7, 0}, {0.48, 0.16, 0.16}));
            break;
    }
    s.rotate_y(facing);
    return s;
}

}  // namespace

Model build_chess() {
    // The board (group 0, top at y = -1.8, 19.2 units square, its top mapped once onto the
    // chessboard picture), its rim (group 1), the 32 pieces on their starting squares
    // (groups 2-33: white pawns, white back rank, black pawns, black back rank) and seven
    // pieces standing beside the board (groups 34-40).
    Model model;
    constexpr double kTop = -1.8, kSquare = 2.4;
    model.add("board", box({-9.6, kTop - 0.6, -9.6}, {9.6, kTop, 9.6}));
    Shape rim;
    rim.merge(box({-10.4, kTop - 0.7, -10.4}, {10.4, kTop - 0.1, -9.6}));
    rim.merge(box({-10.4, kTop - 0.7, 9.6}, {10.4, kTop - 0.1, 10.4}));
    rim.merge(box({-10.4, kTop - 0.7, -9.6}, {-9.6, kTop - 0.1, 9.6}));
    rim.merge(box({9.6, kTop - 0.7, -9.6}, {10.4, kTop - 0.1, 9.6}));
    model.add("rim", std::move(rim));

    const Piece back_rank[8] = {Piece::kRook, Piece::kKnight, Piece::kBishop, Piece::kQueen,
                                Piece::kKing, Piece::kBishop, Piece::kKnight, Piece::kRook};
    const char* names[] = {"pawn", "rook", "knight", "bishop", "queen", "king"};
    auto place = [&](const std::string& name, Piece piece, double x, double z, double facing) {
        Shape s = chess_piece(piece, facing);
        s.translate({x, kTop, z});
        model.add(name + "_" + names[static_cast<int>(piece)], std::move(s));
    };
    auto file_x = [&](int f) { return -8.4 + kSquare * f; };
    for (int side = 0; side < 2; ++side) {
        // White sits at +z and faces -z (knights look across the board), black the reverse.
        double pawn_z = side == 0 ? 6.0 : -6.0, back_z = side == 0 ? 8.4 : -8.4;
        double facing = side == 0 ? 180 : 0;
        std::string colour = side == 0 ? "white" : "black";
        for (int f = 0; f < 8; ++f) place(colour, Piece::kPawn, file_x(f), pawn_z, facing);
        for (int f = 0; f < 8; ++f) place(colour, back_rank[f], file_x(f), back_z, facing);
    }
    place("spare_white", Piece::kQueen, 12.0, 6.0, 180);
    place("spare_black", Piece::kQueen, -12.0, -6.0, 0);
    place("taken_white", Piece::kKnight, 12.2, 2.0, 240);
    place("taken_black", Piece::kBishop, -12.2, -2.0, 0);
    place("taken_white", Piece::kPawn, 12.0, -1.6, 0);
    place("taken_black", Piece::kPawn, -12.0, 1.6, 0);
    place("taken_black", Piece::kRook, -12.4, 5.0, 0);
    return model;
}

Model build_vehicle(int variant) {
    // Toy vehicles 8-9 units long along x, wheels on the ground (y = 0) on axles along z:
    // body, cabin, then the four wheels (front left, front right, rear left, rear right).
    Model model;
    Shape body, cabin;
    double front = 2.6, rear = -2.6, r = 0.8, track = 1.55;
    if (variant == 1) {  // a rounded hatchback
        body =
            profile_body({{-4, 0.45}, {4, 0.45}, {4.15, 1.45}, {3.7, 1.9}, {-3.8, 1.95}, {-4.15, 1.4}}, 1.5);
        cabin = profile_body({{-3.3, 1.9}, {1.4, 1.9}, {0.5, 3.05}, {-2.7, 3.1}}, 1.3);
    } else if (variant == 2) {  // a tall van
        front = 3.0;
        rear = -3.0;
        body = profile_body({{-4.5, 0.5}, {4.5, 0.5}, {4.6, 1.8}, {-4.5, 1.9}}, 1.6);
        cabin = profile_body({{-4.5, 1.85}, {3.4, 1.85}, {4.4, 1.9}, {3.3, 3.9}, {-4.5, 3.9}}, 1.5);
    } else {  // a flat-bed lorry with crates
        front = 3.0;
        rear = -2.6;
        r = 0.9;
        body = profile_body({{-4.8, 0.6}, {4.8, 0.6}, {4.8, 1.5}, {-4.8, 1.5}}, 1.6);
        body.merge(box({-4.8, 1.5, -1.6}, {1.6, 1.7, 1.6}));
        body.merge(box_at({-2.6, 2.4, -0.6}, {2.0, 1.4, 1.6}));
        body.merge(box_at({-0.6, 2.25, 0.5}, {1.6, 1.1, 1.4}));
        cabin = profile_body({{1.8, 1.5}, {4.8, 1.5}, {4.8, 2.6}, {4.1, 3.6}, {1.8, 3.6}}, 1.5);
        track = 1.6;
    }
    // Lamps on the front and a bumper.
    body.merge(box({4.0, 0.35, -1.4}, {4.5, 0.7, 1.4})
                   .translate({variant == 2   ? 0.1
                               : variant == 3 ? 0.3
                                              : 0.0,
                               0, 0}));
    model.add("body", std::move(body));
    model.add("cabin", std::move(cabin));
    model.add("wheel_fl", wheel({front, r, track}, r, 0.5));
    model.add("wheel_fr", wheel({front, r, -track}, r, 0.5));
    model.add("wheel_rl", wheel({rear, r, track}, r, 0.5));
    model.add("wheel_rr", wheel({rear, r, -track}, r, 0.5));
    return model;
}

Model build_ford() {
    // An old open-cabin car along x: tall body with bonnet and radiator, a canvas roof on posts,
    // spoked wheels, running boards and lamps.
    Model model;
    Shape body;
    body.merge(box({-3.6, 1.0, -1.2}, {-0.2, 2.6, 1.2}));  // tub
    body.merge(box({-0.2, 1.0, -0.9}, {2.6, 2.0, 0.9}));   // bonnet
    body.merge(box({2.6, 0.9, -1.0}, {2.9, 2.3, 1.0}));    // radiator
    body.merge(box({-3.9, 0.8, -1.3}, {3.0, 1.0, 1.3}));   // chassis
    for (double z : {-1.55, 1.55}) {
        body.merge(box({-2.8, 0.75, z - 0.3}, {1.8, 0.85, z + 0.3}));  // running boards
        body.merge(box({1.4, 1.55, z - 0.3}, {3.0, 1.65, z + 0.3}));   // mudguards
        body.merge(box({-3.7, 1.55, z - 0.3}, {-2.1, 1.65, z + 0.3}));
    }
    body.merge(box({-2.4, 2.0, -1.0}, {-1.6, 2.9, 1.0}));  // seat back
    body.merge(box({-0.4, 2.0, -1.1}, {-0.3, 3.0, 1.1}));  // windscreen frame
    model.add("body", std::move(body));

    Shape roof;
    roof.merge(box({-3.6, 3.9, -1.3}, {-0.1, 4.05, 1.3}));
    for (double x : {-3.5, -0.25})
        for (double z : {-1.2, 1.2}) roof.merge(cylinder(0.06, 2.6, 3.9, 6).translate({x, 0, z}));
    model.add("roof", std::move(roof));

    Shape wheels;
    for (double x : {-2.5, 2.1}) {
        for (double z : {-1.5, 1.5}) {
            Shape w = torus(0.85, 0.12, 18, 6);
            for (int k = 0; k < 8; ++k) w.merge(cylinder(0.04, 0, 0.8, 4).rotate_z(45.0 * k));
            w.merge(cylinder(0.18, -0.15, 0.15, 8).rotate_x(90));
            w.rotate_x(90);  // the ring now stands in the xy plane, the axle along z
            wheels.merge(w.translate({x, 0.95, z}));
        }
    }
    model.add("wheels", std::move(wheels));

    Shape lamps;
    for (double z : {-0.75, 0.75})
        lamps.merge(cylinder(0.22, 0, 0.3, 10).rotate_z(-90).translate({2.9, 2.1, z}));
    model.add("lamps", std::move(lamps));
    return model;
}

Model build_tank2() {
    // A tank 12 units long along x, 4.6 wide: wheel groups 0-4 and 8 each one axle (both sides)
    // centred on x = -5.4, -3.55, -1.61, 0.3, 2.2, 4.2 at y = 0.89, 0.71, 0.7, 0.7, 0.7, 0.7 so
    // they turn in place about z; tracks 5 (left, +z) and 6 (right); turret 7 on the y axis,
    // its gun along +x; hull 9.
    const Vec2 axles[6] = {{-5.4, 0.89}, {-3.55, 0.71}, {-1.61, 0.7}, {0.3, 0.7}, {2.2, 0.7}, {4.2, 0.7}};
    const double radii[6] = {0.62, 0.7, 0.7, 0.7, 0.7, 0.7};
    const double track_z = 1.75;
    auto axle = [&](int i) {
        Shape s;
        for (double z : {-track_z, track_z}) {
            Shape w = cylinder(radii[i], -0.42, 0.42, 14);
            w.merge(cylinder(radii[i] * 0.4, -0.5, 0.5, 8));
            if (i == 0) {  // the sprocket's teeth
                for (int k = 0; k < 10; ++k)
                    w.merge(box_at({radii[i] + 0.06, 0, 0}, {0.18, 0.3, 0.2}).rotate_y(36.0 * k));
            }
            w.rotate_x(90).translate({axles[i].x, axles[i].y, z});
            s.merge(w);
        }
        return s;
    };
    // The track runs round the wheels: the convex hull of circles slightly larger than them,
    // paved with links.
    std::vector<Vec2> rim_points;
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 24; ++k) {
            double a = 2 * kPi * k / 24;
            rim_points.push_back(
                {axles[i].x + (radii[i] + 0.08) * std::cos(a), axles[i].y + (radii[i] + 0.08) * std::sin(a)});
        }
    std::sort(rim_points.begin(), rim_points.end(),
              [](Vec2 a, Vec2 b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    std::vector<Vec2> hull;
    auto turn = [](Vec2 o, Vec2 a, Vec2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    for (int pass = 0; pass < 2; ++pass) {
        size_t start = hull.size();
        for (size_t k = 0; k < rim_points.size(); ++k) {
            Vec2 p = pass == 0 ? rim_points[k] : rim_points[rim_points.size() - 1 - k];
            while (hull.size() >= start + 2 && turn(hull[hull.size() - 2], hull.back(), p) <= 0)
                hull.pop_back();
            hull.push_back(p);
        }
        hull.pop_back();
    }
    auto track = [&](double z) {
        Shape s;
        double perimeter = 0;
        for (size_t i = 0; i < hull.size(); ++i)
            perimeter += std::hypot(hull[(i + 1) % hull.size()].x - hull[i].x,
                                    hull[(i + 1) % hull.size()].y - hull[i].y);
        const int links = static_cast<int>(perimeter / 0.42);
        double step = perimeter / links;
        size_t seg = 0;
        double seg_start = 0;
        for (int l = 0; l < links; ++l) {
            double d = l * step;
            while (true) {
                Vec2 a = hull[seg], b = hull[(seg + 1) % hull.size()];
                double len = std::hypot(b.x - a.x, b.y - a.y);
                if (d <= seg_start + len || seg + 1 == hull.size()) {
                    double t = len > 0 ? (d - seg_start) / len : 0;
                    Vec2 p = a + (b - a) * t;
                    double angle = std::atan2(b.y - a.y, b.x - a.x) * 180 / kPi;
                    Shape link = box_at({0, 0, 0}, {0.36, 0.14, 1.0});
                    link.merge(box_at({0, -0.1, 0}, {0.12, 0.08, 1.0}));  // grouser
                    link.rotate_z(angle).translate({p.x, p.y, z});
                    s.merge(link);
                    break;
                }
                seg_start += len;
                ++seg;
            }
        }
        return s;
    };
    Shape turret;
    turret.merge(extrude({{-1.9, 2.5}, {1.5, 2.5}, {2.0, 2.9}, {1.4, 3.45}, {-1.6, 3.45}, {-2.1, 2.95}}, -1.5,
                         1.5, 0.2));
    turret.merge(cylinder(0.18, 0, 4.6, 10).rotate_z(-90).translate({1.9, 3.0, 0}));  // gun
    turret.merge(cylinder(0.28, 0, 0.6, 10).rotate_z(-90).translate({1.8, 3.0, 0}));  // mantlet
    turret.merge(cylinder(0.45, 3.45, 3.75, 10).translate({-0.6, 0, 0.6}));           // hatch
    Shape hull_shape;
    hull_shape.merge(extrude({{-6.1, 1.0}, {4.9, 1.0}, {5.7, 1.75}, {4.7, 2.5}, {-5.7, 2.5}, {-6.3, 1.8}},
                             -1.3, 1.3, 0.2));
    for (double z : {-track_z, track_z}) hull_shape.merge(box({-6.2, 1.62, z - 0.6}, {5.3, 1.72, z + 0.6}));
    hull_shape.merge(box({-5.9, 2.5, -0.9}, {-4.4, 2.8, 0.9}));  // engine deck

    Model model;
    for (int i = 0; i < 5; ++i) model.add("wheel" + std::to_string(i), axle(i));
    model.add("track_left", track(track_z));
    model.add("track_right", track(-track_z));
    model.add("turret", std::move(turret));
    model.add("wheel5", axle(5));
    model.add("hull", std::move(hull_shape));
    return model;
}

Model build_pavement() {
    // Pressable floor plates, tiles with gaps, tops at y = 0: group 0 a 2 × 6 slab, group 1 a
    // 2 × 12 walkway, both along x.
    Model model;
    auto plate = [](int tiles) {
        Shape s;
        for (int i = 0; i < tiles; ++i)
            for (int j = 0; j < 2; ++j)
                s.merge(box({-0.6 * tiles + 1.2 * i + 0.04, -0.22, -1.2 + 1.2 * j + 0.04},
                            {-0.6 * tiles + 1.2 * (i + 1) - 0.04, 0, -1.2 + 1.2 * (j + 1) - 0.04}));
        s.merge(box({-0.6 * tiles, -0.4, -1.2}, {0.6 * tiles, -0.2, 1.2}));
        return s;
    };
    model.add("plate", plate(6));
    model.add("walkway", plate(12));
    return model;
}

Model build_labyrinth() {
    // A 14 × 14 maze of unit cells about the origin: its floor at y = -0.53 (group 0) and its
    // walls, 1.13 high (group 1). One corridor runs straight along z at x 0..1 for the tank.
    constexpr int kCells = 14;
    constexpr double kFloor = -0.53, kTop = 0.6, kThick = 0.08;
    RandomGenerator random(1408);
    // wall_x[i][j]: wall on the west side of cell (i, j); wall_z: on its north (low z) side.
    bool wall_x[kCells + 1][kCells] = {}, wall_z[kCells][kCells + 1] = {};
    for (auto& r : wall_x)
        for (bool& w : r) w = true;
    for (auto& r : wall_z)
        for (bool& w : r) w = true;
    bool seen[kCells][kCells] = {};
    std::vector<std::pair<int, int>> stack = {{0, 0}};
    seen[0][0] = true;
    while (!stack.empty()) {
        auto [i, j] = stack.back();
        int options[4], n = 0;
        const int di[4] = {1, -1, 0, 0}, dj[4] = {0, 0, 1, -1};
        for (int d = 0; d < 4; ++d) {
            int a = i + di[d], b = j + dj[d];
            if (a >= 0 && a < kCells && b >= 0 && b < kCells && !seen[a][b]) options[n++] = d;
        }
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        int d = options[random.draw() % n];
        int a = i + di[d], b = j + dj[d];
        if (d == 0) wall_x[i + 1][j] = false;
        if (d == 1) wall_x[i][j] = false;
        if (d == 2) wall_z[i][j + 1] = false;
        if (d == 3) wall_z[i][j] = false;
        seen[a][b] = true;
        stack.push_back({a, b});
    }
    const int corridor = kCells / 2;  // cells x in [0, 1]
    for (int j = 1; j < kCells; ++j) wall_z[corridor][j] = false;
    const double origin = -kCells / 2.0;
    Shape walls;
    for (int i = 0; i <= kCells; ++i)
        for (int j = 0; j < kCells; ++j)
            if (wall_x[i][j])
                walls.merge(box({origin + i - kThick, kFloor, origin + j - kThick},
                                {origin + i + kThick, kTop, origin + j + 1 + kThick}));
    for (int i = 0; i < kCells; ++i)
        for (int j = 0; j <= kCells; ++j)
            if (wall_z[i][j])
                walls.merge(box({origin + i - kThick, kFloor, origin + j - kThick},
                                {origin + i + 1 + kThick, kTop, origin + j + kThick}));
    Model model;
    model.add("floor", height_field(
                           1, 1, origin - 0.5, -origin + 0.5, origin - 0.5, -origin + 0.5,
                           [](double, double) { return kFloor; }, kCells));
    model.add("walls", std::move(walls));
    return model;
}

Model build_wires() {
    // Telegraph poles every 12 units along x with three sagging wires between them.
    Model model;
    Shape poles, wires;
    for (int i = 0; i <= 10; ++i) {
        double x = -60 + 12.0 * i;
        poles.merge(cylinder(0.22, -1, 8.4, 8).translate({x, 0, 0}));
        poles.merge(box_at({x, 7.8, 0}, {0.2, 0.2, 2.8}));
    }
    for (int i = 0; i < 10; ++i) {
        for (double z : {-1.2, 0.0, 1.2}) {
            std::vector<Vec3> path;
            for (int k = 0; k <= 16; ++k) {
                double t = k / 16.0;
                path.push_back({-60 + 12.0 * (i + t), 7.95 - 1.1 * 4 * t * (1 - t), z});
            }
            wires.merge(tube(path, 0.06, 5, false));
        }
    }
    model.add("poles", std::move(poles));
    model.add("wires", std::move(wires));
    return model;
}

namespace {

// A robot toy built from blocks, 4.4 units tall, in standing form.
Model robot(bool folded) {
    Model model;
    Shape torso, head, arms, legs;
    torso.merge(box({-1.0, 2.0, -0.6}, {1.0, 3.5, 0.6}));
    torso.merge(box({-0.8, 2.6, 0.6}, {0.8, 3.2, 0.75}));  // grille
    head.merge(box({-0.45, 3.55, -0.4}, {0.45, 4.3, 0.4}));
    head.merge(box({-0.3, 3.85, 0.4}, {0.3, 4.0, 0.5}));  // visor
    for (double s : {-1.0, 1.0}) {
        arms.merge(box({s * 1.05 - 0.3, 2.0, -0.3}, {s * 1.05 + 0.3, 3.4, 0.3}).translate({s * 0.3, 0, 0}));
        arms.merge(wheel({0, 0, 0}, 0.35, 0.3, 10).rotate_y(90).translate({s * 1.45, 3.4, 0}));
        legs.merge(box({s * 0.5 - 0.35, 0, -0.45}, {s * 0.5 + 0.35, 2.0, 0.45}));
        legs.merge(wheel({0, 0, 0}, 0.45, 0.3, 10).rotate_y(90).translate({s * 1.0, 0.45, -0.1}));
    }
    if (folded) {
        // Car form: lying forward, head tucked, arms along the sides.
        for (Shape* s : {&torso, &head, &arms, &legs}) s->rotate_x(90).translate({0, 0.65, -2.2});
    }
    model.add("torso", std::move(torso));
    model.add("head", std::move(head));
    model.add("arms", std::move(arms));
    model.add("legs", std::move(legs));
    return model;
}

}  // namespace

Model build_transf1() { return robot(false); }
Model build_transf1a() { return robot(true); }

Model build_transf3() {
    // A block-built toy crane on tracks: base, cab, boom and hook.
    Model model;
    Shape base, cab, boom, hook;
    base.merge(box({-2.2, 0, -1.4}, {2.2, 0.8, 1.4}));
    for (double z : {-1.4, 1.4})
        base.merge(lathe({{0, -2.1}, {0.4, -2.1}, {0.4, 2.1}, {0, 2.1}}, 10, false)
                       .rotate_z(90)
                       .translate({0, 0.4, z}));
    cab.merge(box({-1.6, 0.8, -1.1}, {0.8, 2.4, 1.1}));
    cab.merge(box({0.8, 0.8, -1.1}, {1.6, 1.7, 1.1}));
    boom.merge(box({-0.2, 2.2, -0.25}, {5.6, 2.6, 0.25}).rotate_z(35).translate({0.6, -0.9, 0}));
    hook.merge(cylinder(0.03, 1.2, 4.2, 4).translate({4.9, 0, 0}));
    hook.merge(torus(0.25, 0.07, 12, 6).rotate_x(90).translate({4.9, 0.95, 0}));
    model.add("base", std::move(base));
    model.add("cab", std::move(cab));
    model.add("boom", std::move(boom));
    model.add("hook", std::move(hook));
    return model;
}

Model build_box() {
    Model model;
    model.add("box", box({-0.5, -0.5, -0.5}, {0.5, 0.5, 0.5}));
    return model;
}

Model build_cylinder2() {
    Model model;
    model.add("cylinder", cylinder(0.5, -0.5, 0.5, 20));
    return model;
}

Model build_tree() {
    // A toy tree: turned trunk and three stacked foliage balls, 6 units tall.
    Model model;
    model.add("trunk", lathe({{0, 0}, {0.45, 0}, {0.3, 0.4}, {0.25, 3.0}, {0, 3.0}}, 10, false));
    Shape leaves;
    leaves.merge(ellipsoid({0, 3.4, 0}, {1.8, 1.5, 1.8}, 12, 8));
    leaves.merge(ellipsoid({0.3, 4.6, 0.2}, {1.3, 1.1, 1.3}, 10, 7));
    leaves.merge(ellipsoid({-0.1, 5.5, 0}, {0.8, 0.7, 0.8}, 8, 6));
    model.add("leaves", std::move(leaves));
    return model;
}
