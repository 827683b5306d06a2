#include "anim/body.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/face_culling.h"

namespace {

// Checked in this order; "lShin" shares object 3 with "rShin", and objects 2 and 7 are never drawn.
constexpr PartPlacement part_table[] = {
    {"head", {0.0f, -0.18f, 0.0f}, 1.0f, 18},         {"neck", {0.0f, -0.08f, 0.0f}, 1.0f, 17},
    {"chest", {0.0f, -0.23f, 0.049f}, 1.09f, 16},     {"abdomen", {0.0f, 0.035f, -0.03f}, 1.04f, 6},
    {"rThigh", {0.0f, 0.0f, 0.0f}, 1.0f, 4},          {"rCollar", {-0.07f, -0.053f, 0.0f}, 1.0f, 14},
    {"lCollar", {0.07f, -0.053f, 0.0f}, 1.0f, 15},    {"lShldr", {0.119f, -0.06f, 0.0f}, 1.1f, 12},
    {"rShldr", {-0.1f, -0.06f, 0.0f}, 1.1f, 13},      {"rForeArm", {-0.1f, -0.06f, -0.02f}, 1.1f, 10},
    {"lForeArm", {0.154f, -0.06f, -0.02f}, 1.1f, 11}, {"lHand", {0.14f, -0.07f, 0.0f}, 1.1f, 9},
    {"rHand", {-0.14f, -0.07f, 0.0f}, 1.1f, 8},       {"lThigh", {0.0f, 0.0f, 0.046f}, 1.0f, 5},
    {"rShin", {-0.032f, 0.031f, -0.058f}, 1.0f, 3},   {"lShin", {0.032f, 0.021f, 0.033f}, 1.0f, 3},
    {"lFoot", {0.042f, 0.05f, 0.14f}, 1.0f, 1},       {"rFoot", {-0.042f, 0.05f, 0.02f}, 1.0f, 0},
};

constexpr float figure_scale = 44.16f;

// The frame number as the 32-bit unsigned value the selection wraps: truncated toward zero, a
// negative frame taking its two's-complement low word, NaN giving 0.
uint32_t frame_word(float f) {
    if (std::isnan(f)) return 0;
    const double t = std::trunc(std::clamp(static_cast<double>(f), -9.0e18, 9.0e18));
    return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(t)));
}

// The translation of a frame matrix followed by its upper-left 3×3 rotation.
Matrix4 translation_and_rotation(const Matrix4& m) {
    const Matrix4 translation = translation_matrix(m[12], m[13], m[14]);
    Matrix4 rotation = identity_matrix();
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) rotation[c * 4 + r] = m[c * 4 + r];
    return multiply(translation, rotation);
}

}  // namespace

const PartPlacement* find_part(const std::string& joint_name) {
    for (const PartPlacement& p : part_table)
        if (joint_name == p.joint_name) return &p;
    return nullptr;
}

body::body(const std::string& motion_file) : clip(std::make_unique<MotionClip>(motion_file)) {}

void body::advance() {
    frame = frame + 1.0f;
    const size_t n = clip->root ? clip->root->frames.size() : 0;
    if (frame >= static_cast<float>(n)) frame = 1.0f;
}

FrameSelection body::select_frames(float f, size_t root_frames) {
    FrameSelection s;
    if (root_frames < 2) {
        // No motion frames: there is nothing to loop over (and n − 1 would be 0).
        s.rest = true;
        return s;
    }
    const uint64_t period = root_frames - 1;
    s.first = static_cast<uint32_t>(frame_word(f) % period + 1);
    s.second = static_cast<uint32_t>(frame_word(f + 1.0f) % period + 1);
    s.weight = std::fmod(f, 1.0f);
    return s;
}

Matrix4 body::joint_transform(const Joint& joint, const Matrix4& parent, const FrameSelection& s) const {
    const Matrix4 rest = joint.frames.empty()
                             ? translation_matrix(joint.offset[0], joint.offset[1], joint.offset[2])
                             : joint.frames[0];
    const Matrix4 base = multiply(parent, rest);
    // A joint with no motion frame of its own (no channels) keeps its rest pose.
    if (s.rest || joint.frames.size() < 2) return base;
    // A clip cut inside a frame leaves later joints a frame short of the root: they hold their
    // own last frame instead of reading past it.
    const size_t last = joint.frames.size() - 1;
    const Matrix4 a = multiply(base, translation_and_rotation(joint.frames[std::min<size_t>(s.first, last)]));
    const Matrix4 b =
        multiply(base, translation_and_rotation(joint.frames[std::min<size_t>(s.second, last)]));
    Matrix4 m;
    for (int i = 0; i < 16; ++i) m[i] = a[i] + (b[i] - a[i]) * s.weight;
    return m;
}

std::vector<BodyPart> body::pose() const {
    std::vector<BodyPart> parts;
    const Joint* root = clip->root;
    if (!root || root->children.empty()) return parts;
    const FrameSelection s = select_frames(frame, root->frames.size());

    // Depth-first with an explicit stack (one entry per depth level, as the figure's own matrix
    // stack): each child first draws its parent's part, then, if it has children, itself.
    struct Level {
        const Joint* joint;
        Matrix4 transform;
        size_t next_child;
    };
    std::vector<Level> stack{{root, joint_transform(*root, identity_matrix(), s), 0}};
    while (!stack.empty()) {
        Level& top = stack.back();
        if (top.next_child == top.joint->children.size()) {
            stack.pop_back();
            continue;
        }
        const Joint* child = top.joint->children[top.next_child++];
        parts.push_back({top.joint, top.transform});
        if (!child->children.empty()) {
            const Matrix4 m = joint_transform(*child, top.transform, s);
            stack.push_back({child, m, 0});
        }
    }
    return parts;
}

void body::draw(const Mesh& mesh_to_draw) { draw(mesh_to_draw, pose()); }

void body::draw(const Mesh& mesh_to_draw, const std::vector<BodyPart>& parts) {
    static constexpr float ambient[4] = {0.9f, 0.6f, 0.3f, 1.0f};
    static constexpr float diffuse[4] = {0.8f, 0.7f, 0.5f, 1.0f};
    static constexpr float specular[4] = {0.3f, 0.3f, 0.3f, 1.0f};

    mesh = &mesh_to_draw;
    glPushMatrix();
    if (show_bounds) draw_bounds_framed();
    if (!parts.empty()) {
        // The parts are closed and, through draw_part's y flip, wound counter-clockwise seen
        // from outside: culled, the opening's figures take about 3 ms less a frame.
        const InnerFacesCulled culled;
        // One material for every part, set once: each change of it or of the lighting switch
        // costs the GL a state validation at the next draw.
        glEnable(GL_LIGHTING);
        glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
        for (const BodyPart& part : parts) draw_part(part);
        glDisable(GL_LIGHTING);
    }
    glPopMatrix();
}

Box body::posed_box(const std::vector<BodyPart>& parts, const Mesh& mesh) {
    Box box;
    for (const BodyPart& part : parts)
        if (const PartPlacement* p = find_part(part.joint->name))
            box.take(mesh.object_box(p->object).moved(part_matrix(part, *p)));
    return box;
}

Matrix4 body::part_matrix(const BodyPart& part, const PartPlacement& placement) {
    // As draw_part places it: the figure's scale with y turned over, then the joint's placement.
    const float* t = placement.translation;
    return multiply(multiply(part.transform, scale_matrix(figure_scale, -figure_scale, figure_scale)),
                    multiply(translation_matrix(t[0], t[1], t[2]),
                             scale_matrix(placement.scale, placement.scale, placement.scale)));
}

void body::draw_part(const BodyPart& part) const {
    glPushMatrix();
    glMultMatrixf(part.transform.data());
    glScalef(figure_scale, figure_scale, figure_scale);
    glScalef(1.0f, -1.0f, 1.0f);
    glPushMatrix();
    if (const PartPlacement* p = find_part(part.joint->name)) {
        glTranslatef(p->translation[0], p->translation[1], p->translation[2]);
        glScalef(p->scale, p->scale, p->scale);
        mesh->draw(p->object);
    }
    glPopMatrix();
    glPopMatrix();
}
