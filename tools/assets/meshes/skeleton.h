#pragma once
// The humanoid skeleton shared by the motion clips and the figure's skin mesh (human4).
//
// Units are the clips' own: the figure stands about 71 units tall with its soles on y = 0 when
// the root ("hip") sits at standing_hip_height, faces +z, and has its left side on +x. The rest
// pose is a T-pose: every joint's rotation is zero, arms along ±x.
//
// The figure draws each joint's part from the skin mesh after scaling by kFigureScale, flipping
// y and applying the part's translation and uniform scale (figure_parts); the skin is modelled
// in joint space and mapped back through exactly that, so the parts meet on this skeleton.
#include "tools/assets/meshes/model_kit.h"

#include <array>

enum JointId {
    kHip,
    kAbdomen,
    kChest,
    kNeck,
    kHead,
    kLCollar,
    kLShldr,
    kLForeArm,
    kLHand,
    kRCollar,
    kRShldr,
    kRForeArm,
    kRHand,
    kLThigh,
    kLShin,
    kLFoot,
    kRThigh,
    kRShin,
    kRFoot,
    kJointCount
};

struct SkeletonJoint {
    const char* name;
    int parent;   // -1 for the root
    Vec3 offset;  // rest offset from the parent joint
    Vec3 end;     // End Site offset for a leaf joint; zero when the joint has joint children
};

// In depth-first pre-order, children in file order: the order of the clips' channel values.
extern const std::array<SkeletonJoint, kJointCount> kSkeleton;

inline constexpr double standing_hip_height = 37.5;
inline constexpr double kFigureScale = 44.16;

struct FigurePart {
    JointId joint;
    Vec3 translation;
    double scale;
    int object;
};

// The figure's joint-to-object table: which skin object each joint draws and how it is placed.
extern const std::array<FigurePart, 18> figure_parts;

// A joint's channel rotation in degrees, composed as the clips compose it: Rz · Rx · Ry.
struct Rotation {
    double z = 0, x = 0, y = 0;
};

// A pose: the root's position and every joint's rotation.
struct Pose {
    Vec3 root{0, standing_hip_height, 0};
    std::array<Rotation, kJointCount> rotation{};
};

// Every joint's figure-space transform in a pose: each joint's offset (and the root's
// translation), then Rz · Rx · Ry, under its parent's.
std::array<Affine, kJointCount> joint_world(const Pose& pose);
