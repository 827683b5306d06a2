#pragma once
// Skeletal motion read from a BVH text file: the joint tree with rest offsets and, for every
// listed joint and every frame, its local channel transform.
//
// The reader is a keyword-driven state machine fed one whitespace-separated token at a time; it
// accepts the usual layout (HIERARCHY with ROOT / JOINT / End Site / OFFSET / CHANNELS, then
// MOTION, "Frames:", "Frame Time:" and rows of channel values) without checking the nesting.
// Whatever the channel order in the file, a frame composes T·Rz·Rx·Ry.
//
// Loading writes its progress to standard output: the found / not-found line, "framesNum = ...",
// "frametime = ..." and the body-part statistics line. A missing file throws fileNotFound.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "anim/file_not_found.h"
#include "core/matrix4.h"

class rigid;

// Channel codes, in the numbering the reader stores.
enum ChannelCode : int32_t {
    x_position = 0,
    y_position = 1,
    z_position = 2,
    z_rotation = 3,
    x_rotation = 4,
    y_rotation = 5,
};

struct Joint {
    std::string name;               // empty for an End Site
    std::array<float, 3> offset{};  // rest offset from the parent
    // Entry 0: translation by offset. Entries 1…N: the local channel transform of frame 1…N.
    std::vector<Matrix4> frames;
    std::unique_ptr<rigid> mesh;  // part mesh chosen by the joint name, or none
    Joint* parent = nullptr;
    std::vector<int32_t> channels;  // ChannelCode values in file order
    std::vector<Joint*> children;

    Joint();
    ~Joint();
};

class MotionClip {
public:
    // Loads the file, writing the loader's lines to standard output. Throws fileNotFound when the
    // file cannot be opened (after the not-found line).
    explicit MotionClip(const std::string& file_name);
    // Reads a clip from text already in memory; `verbose` controls the statistics lines.
    static std::unique_ptr<MotionClip> from_text(std::string_view text, bool verbose);

    Joint* root = nullptr;
    double frame_time = 0.0;
    // Every joint with at least one child, depth-first pre-order from the root: the order in
    // which motion values are consumed. End Sites are never listed.
    std::vector<Joint*> joints;
    // After loading: the size of the root's frames list (N + 1 for N complete frames).
    int32_t frame_count = 0;
    int64_t value_count = 0;  // motion values consumed
    bool verbose = true;

    // Every joint created, owning them; the tree and the list point into it.
    std::vector<std::unique_ptr<Joint>> all_joints;

private:
    MotionClip() = default;
    void read(std::string_view text);
    void step(const std::string& token);
    Joint* create_joint(Joint* parent);
    void build_joint_list();
    void consume_value(const std::string& token);

    int32_t state_ = 0;
    int32_t offset_index_ = 0;
    size_t channel_index_ = 0;
    size_t joint_index_ = 0;
    int32_t channel_count_ = 0;
    Matrix4 translation_ = identity_matrix();
    Matrix4 rot_y_ = identity_matrix();
    Matrix4 rot_x_ = identity_matrix();
    Matrix4 rot_z_ = identity_matrix();
    Joint* current_ = nullptr;
    // Set when a full pass over the joint list found no channel to feed; cleared when a channel
    // is added. Keeps values for a channel-less skeleton from walking the list each time.
    bool no_channels_ = false;
    bool joint_list_built_ = false;
};
