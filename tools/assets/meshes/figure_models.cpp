#include "tools/assets/meshes/models.h"
#include "tools/assets/meshes/skeleton.h"

#include <algorithm>
#include <string>

namespace {

// The figure's table puts one shin object at both knees with different translations, so the
// shared shin lands 1.41 units outward of each knee; the other leg parts carry the same sideways
// offset so each leg stays in one line. (Sideways offsets survive knee bends: the knee turns
// about x.)
constexpr double leg_outward = 1.41;

enum class Part {
    kHead,
    kNeck,
    kChest,
    kAbdomen,
    kCollar,
    kUpperArm,
    kForearm,
    kHand,
    kThigh,
    kShin,
    kFoot,
    kPelvis
};

// One part in its joint's rest space; `side` is +1 for the left, -1 for the right. Coarse parts
// have half the facets, for crowds merged into one mesh.
Shape skin_part(Part part, double side, bool coarse = false) {
    Shape s;
    const double lx = leg_outward * side;
    auto ellipsoid = [coarse](Vec3 c, Vec3 r, int slices, int stacks) {
        return ::ellipsoid(c, r, coarse ? std::max(slices / 2, 4) : slices,
                           coarse ? std::max(stacks / 2, 3) : stacks);
    };
    auto limb = [coarse](Vec3 a, Vec3 b, double ra, double rb, int sides) {
        return ::limb(a, b, ra, rb, coarse ? std::max(sides / 2, 4) : sides);
    };
    switch (part) {
        case Part::kHead:
            s.merge(ellipsoid({0, 4.2, 0.3}, {3.1, 4.1, 3.6}, 14, 10));
            s.merge(ellipsoid({0, 5.5, -0.4}, {3.3, 3.1, 3.6}, 12, 8));  // hair
            s.merge(ellipsoid({0, 3.3, 3.8}, {0.55, 0.9, 0.7}, 6, 4));   // nose
            s.merge(ellipsoid({3.0, 3.9, 0}, {0.45, 1.1, 0.8}, 6, 4));
            s.merge(ellipsoid({-3.0, 3.9, 0}, {0.45, 1.1, 0.8}, 6, 4));
            break;
        case Part::kNeck:
            s.merge(limb({0, -1.0, -0.2}, {0, 3.2, 0.4}, 2.0, 1.9, 8));
            break;
        case Part::kChest:
            s.merge(ellipsoid({0, 4.8, 0.3}, {6.2, 6.6, 4.1}, 14, 10));
            s.merge(ellipsoid({0, 8.4, -0.2}, {7.6, 2.4, 3.3}, 12, 6));
            break;
        case Part::kAbdomen:
            s.merge(ellipsoid({0, 4.0, 0.4}, {5.0, 5.6, 3.7}, 12, 8));
            s.merge(ellipsoid({0, -2.0, -0.2}, {6.6, 4.4, 4.2}, 12, 8));
            break;
        case Part::kPelvis:
            s.merge(ellipsoid({0, -2.0, -0.2}, {6.6, 4.4, 4.2}, 12, 8));
            break;
        case Part::kCollar:
            s.merge(limb({side * 0.2, 0.3, -0.2}, {side * 5.8, 0.4, 0}, 2.3, 2.7, 8));
            break;
        case Part::kUpperArm:
            s.merge(limb({0, 0, 0}, {side * 11.2, 0, 0}, 2.4, 1.9, 8));
            break;
        case Part::kForearm:
            s.merge(limb({0, 0, 0}, {side * 10.2, 0, 0}, 1.9, 1.35, 8));
            break;
        case Part::kHand:
            s.merge(ellipsoid({side * 3.0, 0, 0.1}, {3.0, 0.9, 1.9}, 8, 6));
            s.merge(ellipsoid({side * 6.0, -0.1, 0.1}, {1.9, 0.75, 1.7}, 8, 6));
            s.merge(limb({side * 1.2, 0, 1.2}, {side * 3.6, -0.3, 2.8}, 0.7, 0.55, 6));
            break;
        case Part::kThigh:
            s.merge(limb({lx, 1.0, 0}, {lx, -16.9, 0.3}, 3.4, 2.3, 10));
            s.merge(ellipsoid({lx, -16.4, 1.6}, {1.6, 1.8, 1.2}, 6, 4));  // knee cap
            break;
        case Part::kShin:
            s.merge(limb({0, -0.3, 0}, {0, -15.4, -0.6}, 2.3, 1.4, 10));
            s.merge(ellipsoid({0, -5.5, -0.9}, {2.2, 4.8, 2.3}, 10, 6));  // calf
            break;
        case Part::kFoot:
            s.merge(ellipsoid({lx, -0.6, -0.3}, {1.6, 1.9, 1.7}, 8, 6));
            s.merge(ellipsoid({lx, -1.8, 2.3}, {1.8, 1.1, 4.9}, 10, 6));
            break;
    }
    return s;
}

struct SkinObject {
    const char* name;
    Part part;
    double side;
};

// The skin's objects in the order the figure's table numbers them.
constexpr SkinObject skin_objects[19] = {
    {"rFoot", Part::kFoot, -1},     {"lFoot", Part::kFoot, 1},          {"shin_spare", Part::kShin, 1},
    {"shin", Part::kShin, 1},       {"rThigh", Part::kThigh, -1},       {"lThigh", Part::kThigh, 1},
    {"abdomen", Part::kAbdomen, 1}, {"pelvis_spare", Part::kPelvis, 1}, {"rHand", Part::kHand, -1},
    {"lHand", Part::kHand, 1},      {"rForeArm", Part::kForearm, -1},   {"lForeArm", Part::kForearm, 1},
    {"lShldr", Part::kUpperArm, 1}, {"rShldr", Part::kUpperArm, -1},    {"rCollar", Part::kCollar, -1},
    {"lCollar", Part::kCollar, 1},  {"chest", Part::kChest, 1},         {"neck", Part::kNeck, 1},
    {"head", Part::kHead, 1},
};

// The joint-space → skin-space map of a table entry: the inverse of what the figure applies
// (×44.16, y flipped, translated, scaled).
Affine skin_space(Vec3 translation, double scale) {
    return Affine::scaling({1 / scale, 1 / scale, 1 / scale}) * Affine::translation(-translation) *
           Affine::scaling({1 / kFigureScale, -1 / kFigureScale, 1 / kFigureScale});
}

// Where a joint's part sits in the posed figure: the shin's sideways shift comes from the table,
// every other part carries it in its own geometry.
Shape joint_part(int joint, bool coarse) {
    switch (joint) {
        case kHead:
            return skin_part(Part::kHead, 1, coarse);
        case kNeck:
            return skin_part(Part::kNeck, 1, coarse);
        case kChest:
            return skin_part(Part::kChest, 1, coarse);
        case kAbdomen:
            return skin_part(Part::kAbdomen, 1, coarse);
        case kLCollar:
            return skin_part(Part::kCollar, 1, coarse);
        case kRCollar:
            return skin_part(Part::kCollar, -1, coarse);
        case kLShldr:
            return skin_part(Part::kUpperArm, 1, coarse);
        case kRShldr:
            return skin_part(Part::kUpperArm, -1, coarse);
        case kLForeArm:
            return skin_part(Part::kForearm, 1, coarse);
        case kRForeArm:
            return skin_part(Part::kForearm, -1, coarse);
        case kLHand:
            return skin_part(Part::kHand, 1, coarse);
        case kRHand:
            return skin_part(Part::kHand, -1, coarse);
        case kLThigh:
            return skin_part(Part::kThigh, 1, coarse);
        case kRThigh:
            return skin_part(Part::kThigh, -1, coarse);
        case kLShin:
            return skin_part(Part::kShin, 1, coarse).translate({leg_outward, 0, 0});
        case kRShin:
            return skin_part(Part::kShin, -1, coarse).translate({-leg_outward, 0, 0});
        case kLFoot:
            return skin_part(Part::kFoot, 1, coarse);
        case kRFoot:
            return skin_part(Part::kFoot, -1, coarse);
        default:
            return {};
    }
}

Pose standing(double left_arm, double right_arm) {
    Pose pose;
    pose.rotation[kLShldr].z = -left_arm;
    pose.rotation[kRShldr].z = right_arm;
    pose.rotation[kLForeArm].y = -10;
    pose.rotation[kRForeArm].y = 10;
    return pose;
}

// The skin parts assembled on the skeleton in a pose, at figure-space scale (soles on y = 0).
Shape posed_figure(const Pose& pose, bool coarse) {
    auto world = joint_world(pose);
    Shape figure;
    for (int j = 0; j < kJointCount; ++j) {
        Shape part = joint_part(j, coarse);
        part.transform(world[j]);
        figure.merge(part);
    }
    return figure;
}

}  // namespace

Model build_human4(bool coarse) {
    Model model;
    for (int k = 0; k < 19; ++k) {
        const SkinObject& o = skin_objects[k];
        // The shared shin sits midway between the two knees' translations; the spare objects
        // follow the shin and the abdomen.
        Vec3 translation{};
        double scale = 1.0;
        int matches = 0;
        int lookup = k == 2 ? 3 : k == 7 ? 6 : k;
        for (const FigurePart& part : figure_parts) {
            if (part.object != lookup) continue;
            translation = translation + part.translation;
            scale = part.scale;
            ++matches;
        }
        translation = translation * (1.0 / matches);
        Shape s = skin_part(o.part, o.side, coarse);
        s.transform(skin_space(translation, scale));
        // The figure draws the skin through a y flip: wind it so it faces out once drawn.
        s.reverse_winding();
        model.add(o.name, std::move(s));
    }
    return model;
}

Model build_manymen() {
    // A small crowd of statuettes on an Escher-like stair: men 1.8 units tall on flights of steps
    // that turn about a square well.
    Model model;
    Shape stairs, men;
    constexpr double man_scale = 0.025;
    for (int flight = 0; flight < 4; ++flight) {
        Shape f;
        for (int step = 0; step < 10; ++step) {
            double y = flight * 4.0 + step * 0.4;
            f.merge(box({-6 + step * 1.2, y - 0.4, 4}, {-4.8 + step * 1.2, y, 7}));
        }
        f.merge(box({6, flight * 4.0 + 3.6, 2}, {9, flight * 4.0 + 4.0, 7}));  // landing
        f.rotate_y(90.0 * flight);
        stairs.merge(f);
        for (int m = 0; m < 5; ++m) {
            int step = 1 + m * 2;
            Pose pose = standing(70 + 8 * m, 75 - 6 * m);
            pose.rotation[kLThigh].x = m % 2 ? -18 : 12;
            pose.rotation[kRThigh].x = m % 2 ? 12 : -18;
            pose.rotation[kLShin].x = 10;
            pose.rotation[kRShin].x = 10;
            pose.rotation[kHip].y = 90;  // walking up the flight, along +x
            pose.rotation[kNeck].x = m % 3 == 0 ? 20 : -5;
            Shape man = posed_figure(pose, true);
            man.scale(man_scale);
            man.translate({-5.4 + step * 1.2, flight * 4.0 + step * 0.4, 5.5});
            man.rotate_y(90.0 * flight);
            men.merge(man);
        }
    }
    // The well's column and a plinth.
    stairs.merge(cylinder(2.2, -0.4, 17.0, 12));
    stairs.merge(box({-10, -1.2, -10}, {10, -0.4, 10}));
    model.add("stairs", std::move(stairs));
    model.add("men", std::move(men));
    return model;
}

Model build_diver() {
    // A deep-sea diver about 1.9 units tall: suit, brass helmet with its face plate, and the
    // lead boots and back weights.
    Model model;
    constexpr double kScale = 0.026;
    Pose pose = standing(55, 62);
    pose.rotation[kLForeArm].y = -35;
    pose.rotation[kRForeArm].y = 25;
    pose.rotation[kLThigh].x = -14;
    pose.rotation[kRThigh].x = 10;
    pose.rotation[kLShin].x = 16;
    pose.rotation[kRShin].x = 6;
    pose.root.y = standing_hip_height - 0.6;
    Shape suit = posed_figure(pose, false);
    // A fuller suit: thicken the body about the spine.
    suit.deform([](Vec3 p) {
        double f = p.y > 30 && p.y < 60 ? 1.18 : 1.08;
        return Vec3{p.x * f, p.y, p.z * f};
    });
    suit.scale(kScale);
    model.add("suit", std::move(suit));

    Shape helmet;
    auto world = joint_world(pose);
    Vec3 head = world[kHead].point({0, 4.0, 0.3});
    helmet.merge(sphere(6.2, 16, 12).translate(head));
    helmet.merge(cylinder(6.8, -1.2, 1.2, 16).translate(head + Vec3{0, -5.6, 0}));           // collar
    helmet.merge(cylinder(3.0, 0, 1.6, 14).rotate_x(90).translate(head + Vec3{0, 0, 5.2}));  // face plate
    helmet.merge(cylinder(1.6, 0, 1.2, 10).rotate_z(90).translate(head + Vec3{5.6, 0.5, 0}));
    helmet.merge(cylinder(1.6, 0, 1.2, 10).rotate_z(-90).translate(head + Vec3{-5.6, 0.5, 0}));
    helmet.merge(cylinder(0.9, 0, 3.0, 8).translate(head + Vec3{0, 5.4, -1.5}));  // air valve
    helmet.scale(kScale);
    model.add("helmet", std::move(helmet));

    Shape weights;
    for (int side : {kLFoot, kRFoot}) {
        Vec3 ankle = world[side].point({0, -1.4, 2.2});
        weights.merge(box_at(ankle, {4.6, 2.6, 10.5}));
    }
    Vec3 back = world[kChest].point({0, 4.0, -5.2});
    weights.merge(box_at(back, {9.0, 10.0, 3.2}));
    Vec3 front = world[kChest].point({0, 4.0, 5.0});
    weights.merge(box_at(front, {7.0, 6.0, 1.6}));
    weights.scale(kScale);
    model.add("weights", std::move(weights));
    return model;
}
