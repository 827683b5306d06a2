#pragma once
// An animated human figure: plays a MotionClip and draws, at every joint, one object of a
// multi-object OBJ mesh placed on that joint. Scenes set `frame` from their own clock before each
// draw and draw the same figure many times per frame.
//
// Frame f blends frames trunc(f) mod (n − 1) + 1 and trunc(f + 1) mod (n − 1) + 1 with weight
// fmod(f, 1), n being the root's frame count (N + 1): frames 1…N loop and entry 0 (the rest
// offset) is never selected. The blend is a plain element-wise mix of the two matrices.
//
// The pose is computed into a list of part placements (pose) before any GL call, so it can be
// checked without a context.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "anim/motion_clip.h"
#include "core/box.h"
#include "core/matrix4.h"
#include "render/mesh.h"
#include "render/movable.h"

struct FrameSelection {
    uint32_t first = 1;   // i0
    uint32_t second = 1;  // i1
    float weight = 0.0f;  // w
    bool rest = false;    // no motion frames to select from: draw the rest pose
};

// One part draw: joint J's part at J's blended transform (a joint draws it once per child).
struct BodyPart {
    const Joint* joint = nullptr;
    Matrix4 transform{};
};

// Where a named joint's part sits: translation and uniform scale inside the figure scale, and
// which object of the mesh is drawn.
struct PartPlacement {
    const char* joint_name;
    float translation[3];
    float scale;
    int object;
};
// The part for a joint name, or nullptr for names that draw nothing.
const PartPlacement* find_part(const std::string& joint_name);

class body : public movable {
public:
    // Creates the clip from the motion file; fileNotFound propagates.
    explicit body(const std::string& motion_file);

    // Frame + 1, back to 1 once it reaches the root's frame count.
    void advance() override;
    // Draws the figure with `mesh`'s objects at its joints, their inner faces culled (the
    // culling state is left as it was).
    using movable::draw;
    void draw(const Mesh& mesh);
    // The same for a pose already computed (pose()).
    void draw(const Mesh& mesh, const std::vector<BodyPart>& parts);

    static FrameSelection select_frames(float frame, size_t root_frames);
    // Every part draw of the current frame, in drawing order.
    std::vector<BodyPart> pose() const;
    // The box, in the axes draw starts from, that holds every part of `parts` as draw places
    // `mesh`'s objects: empty when no part draws anything.
    static Box posed_box(const std::vector<BodyPart>& parts, const Mesh& mesh);

    std::unique_ptr<MotionClip> clip;
    float frame = 1.0f;
    const Mesh* mesh = nullptr;  // the mesh handed to the last draw

private:
    Matrix4 joint_transform(const Joint& joint, const Matrix4& parent, const FrameSelection& s) const;
    void draw_part(const BodyPart& part) const;
    // Where a part's object is drawn: the part's transform and its placement on the joint.
    static Matrix4 part_matrix(const BodyPart& part, const PartPlacement& placement);
};
