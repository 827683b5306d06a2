#include "tools/assets/meshes/skeleton.h"

// clang-format off
const std::array<SkeletonJoint, kJointCount> kSkeleton = {{
    {"hip",      -1,        {0, 0, 0},        {}},
    {"abdomen",  kHip,      {0, 2.6, -0.3},   {}},
    {"chest",    kAbdomen,  {0, 8.8, 0},      {}},
    {"neck",     kChest,    {0, 10.6, -0.6},  {}},
    {"head",     kNeck,     {0, 3.4, 0.6},    {0, 7.8, 0}},
    {"lCollar",  kChest,    {1.2, 8.6, -0.4}, {}},
    {"lShldr",   kLCollar,  {5.8, 0.2, 0},    {}},
    {"lForeArm", kLShldr,   {11.2, 0, 0},     {}},
    {"lHand",    kLForeArm, {10.2, 0, 0},     {6.8, 0, 0}},
    {"rCollar",  kChest,    {-1.2, 8.6, -0.4}, {}},
    {"rShldr",   kRCollar,  {-5.8, 0.2, 0},   {}},
    {"rForeArm", kRShldr,   {-11.2, 0, 0},    {}},
    {"rHand",    kRForeArm, {-10.2, 0, 0},    {-6.8, 0, 0}},
    {"lThigh",   kHip,      {2.6, -2.2, 0},   {}},
    {"lShin",    kLThigh,   {0, -16.9, 0.3},  {}},
    {"lFoot",    kLShin,    {0, -15.6, -0.6}, {0, -1.8, 7.6}},
    {"rThigh",   kHip,      {-2.6, -2.2, 0},  {}},
    {"rShin",    kRThigh,   {0, -16.9, 0.3},  {}},
    {"rFoot",    kRShin,    {0, -15.6, -0.6}, {0, -1.8, 7.6}},
}};

const std::array<FigurePart, 18> figure_parts = {{
    {kHead,     {0, -0.18, 0},          1.0,  18},
    {kNeck,     {0, -0.08, 0},          1.0,  17},
    {kChest,    {0, -0.23, 0.049},      1.09, 16},
    {kAbdomen,  {0, 0.035, -0.03},      1.04, 6},
    {kRThigh,   {0, 0, 0},              1.0,  4},
    {kRCollar,  {-0.07, -0.053, 0},     1.0,  14},
    {kLCollar,  {0.07, -0.053, 0},      1.0,  15},
    {kLShldr,   {0.119, -0.06, 0},      1.1,  12},
    {kRShldr,   {-0.1, -0.06, 0},       1.1,  13},
    {kRForeArm, {-0.1, -0.06, -0.02},   1.1,  10},
    {kLForeArm, {0.154, -0.06, -0.02},  1.1,  11},
    {kLHand,    {0.14, -0.07, 0},       1.1,  9},
    {kRHand,    {-0.14, -0.07, 0},      1.1,  8},
    {kLThigh,   {0, 0, 0.046},          1.0,  5},
    {kRShin,    {-0.032, 0.031, -0.058}, 1.0, 3},
    {kLShin,    {0.032, 0.021, 0.033},  1.0,  3},
    {kLFoot,    {0.042, 0.05, 0.14},    1.0,  1},
    {kRFoot,    {-0.042, 0.05, 0.02},   1.0,  0},
}};
// clang-format on

namespace {

Affine joint_local(const Pose& pose, int joint) {
    const Rotation& r = pose.rotation[joint];
    Affine m = Affine::translation(kSkeleton[joint].offset);
    if (kSkeleton[joint].parent < 0) m = m * Affine::translation(pose.root);
    return m * Affine::rotation_z(r.z) * Affine::rotation_x(r.x) * Affine::rotation_y(r.y);
}

}  // namespace

std::array<Affine, kJointCount> joint_world(const Pose& pose) {
    std::array<Affine, kJointCount> world;
    for (int j = 0; j < kJointCount; ++j) {
        Affine local = joint_local(pose, j);
        world[j] = kSkeleton[j].parent < 0 ? local : world[kSkeleton[j].parent] * local;
    }
    return world;
}
