#include "anim/motion_clip.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <iostream>

#include "anim/rigid.h"
#include "core/file_io.h"

namespace {

enum ReaderState : int32_t {
    idle = 0,
    offset = 1,
    channels = 2,
    joint_name = 3,
    root_name = 4,
    after_end = 5,
    after_motion = 7,
    frame_count_value = 8,
    after_frame = 9,
    frame_time_value = 10,
    motion_data = 11,
};

// The token's leading number, 0 when it has none (the C library's atof rule).
double to_number(const std::string& token) { return std::strtod(token.c_str(), nullptr); }

// The token's leading integer (atoi), pinned to the 32-bit range instead of overflowing.
int32_t to_integer(const std::string& token) {
    const long long v = std::strtoll(token.c_str(), nullptr, 10);
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

int32_t channel_code(const std::string& token) {
    static constexpr const char* names[] = {"Xposition", "Yposition", "Zposition",
                                            "Zrotation", "Xrotation", "Yrotation"};
    for (int32_t code = 0; code < 6; ++code)
        if (token == names[code]) return code;
    return -1;
}

// The part mesh a named joint carries. "Chest" is listed to say it has none; the figure draws its
// own parts by other names, so these meshes only ever show their debugging outlines.
const char* part_mesh_file(const std::string& joint_name) {
    static constexpr struct {
        const char* joint;
        const char* file;
    } table[] = {
        {"LeftKnee", "Other/obj/leftforeleg.obj"},
        {"RightKnee", "Other/obj/rightforeleg.obj"},
        {"LeftHip", "Other/obj/leftthigh.obj"},
        {"RightHip", "Other/obj/rightthigh.obj"},
        {"LeftAnkle", "Other/obj/leftfoot.obj"},
        {"RightAnkle", "Other/obj/rightfoot.obj"},
        {"Chest", nullptr},
        {"Chest2", "Other/obj/torso.obj"},
        {"LeftShoulder", "Other/obj/leftshoulder.obj"},
        {"RightShoulder", "Other/obj/rightshoulder.obj"},
        {"LeftElbow", "Other/obj/leftforearm.obj"},
        {"RightElbow", "Other/obj/rightforearm.obj"},
        {"LeftWrist", "Other/obj/lefthand.obj"},
        {"RightWrist", "Other/obj/righthand.obj"},
        {"Neck", "Other/obj/neck.obj"},
        {"Head", "Other/obj/head.obj"},
    };
    for (const auto& entry : table)
        if (joint_name == entry.joint) return entry.file;
    return nullptr;
}

}  // namespace

Joint::Joint() = default;
Joint::~Joint() = default;

MotionClip::MotionClip(const std::string& file_name) {
    const auto text = read_file(file_name);
    if (!text) {
        std::cout << "File \"" << file_name << "\" not found." << std::endl;
        throw fileNotFound(file_name);
    }
    std::cout << "File \"" << file_name << "\" found." << std::endl;
    read(*text);
}

std::unique_ptr<MotionClip> MotionClip::from_text(std::string_view text, bool verbose) {
    std::unique_ptr<MotionClip> clip(new MotionClip());
    clip->verbose = verbose;
    clip->read(text);
    return clip;
}

void MotionClip::read(std::string_view text) {
    value_count = 0;
    joint_index_ = 0;
    channel_index_ = 0;
    state_ = idle;

    size_t i = 0;
    std::string token;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        const size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i > start) {
            token.assign(text.substr(start, i - start));
            step(token);
        }
    }

    // The root is the first listed joint, unless a later ROOT replaced it after the list was built.
    const Joint* first = !joints.empty() ? joints.front() : root;
    frame_count = first ? static_cast<int32_t>(first->frames.size()) : 0;
    if (!verbose) return;
    std::cout << "framesNum = " << frame_count << "\nframetime = " << frame_time << "\n";
    // Without a single frame there is nothing to divide by; the clip then has no body parts.
    const int64_t divisor = static_cast<int64_t>(frame_count) * 3;
    const int64_t parts = divisor > 0 ? value_count / divisor - 1 : 0;
    std::cout << parts << " bodyparts\n" << std::flush;
}

Joint* MotionClip::create_joint(Joint* parent) {
    all_joints.push_back(std::make_unique<Joint>());
    Joint* joint = all_joints.back().get();
    joint->parent = parent;
    if (parent) parent->children.push_back(joint);
    return joint;
}

void MotionClip::step(const std::string& token) {
    if (token == "OFFSET") {
        offset_index_ = 0;
        state_ = offset;
    } else if (token == "ROOT") {
        root = create_joint(nullptr);
        current_ = root;
        state_ = root_name;
    } else if (token == "{") {
        // Nesting is followed through JOINT, Site and "}" alone.
    } else if (token == "}") {
        if (current_ && current_ != root) {
            current_ = current_->parent;
            state_ = idle;
        }
    } else if (token == "JOINT") {
        current_ = create_joint(current_);
        state_ = joint_name;
    } else if (token == "CHANNELS") {
        state_ = channels;
    } else if (token == "End") {
        state_ = after_end;
    } else if (token == "Site") {
        current_ = create_joint(current_);
        state_ = idle;
    } else if (token == "MOTION") {
        state_ = after_motion;
    } else if (token == "Frames:") {
        state_ = frame_count_value;
    } else if (token == "Frame") {
        state_ = after_frame;
    } else if (token == "Time:") {
        state_ = frame_time_value;
    } else {
        switch (state_) {
            case offset:
                if (current_) current_->offset[offset_index_] = static_cast<float>(to_number(token));
                if (++offset_index_ == 3) {
                    offset_index_ = 0;
                    state_ = idle;
                }
                break;
            case channels:
                // Tokens for a joint that does not exist yet (a JOINT closed past the root) are
                // dropped; the count rule still compares against the current joint's channel list.
                if (channel_count_ == 0) {
                    channel_count_ = to_integer(token);
                } else if (const int32_t code = channel_code(token); code >= 0 && current_) {
                    current_->channels.push_back(code);
                    no_channels_ = false;
                }
                if (static_cast<int64_t>(current_ ? current_->channels.size() : 0) == channel_count_) {
                    state_ = idle;
                    channel_count_ = 0;
                }
                break;
            case joint_name:
                if (current_) {
                    current_->name = token;
                    if (const char* file = part_mesh_file(token))
                        current_->mesh = std::make_unique<rigid>(file);
                }
                state_ = idle;
                break;
            case root_name:
                if (root) root->name = token;
                state_ = idle;
                break;
            case frame_count_value:
                frame_count = to_integer(token);
                state_ = idle;
                break;
            case frame_time_value:
                frame_time = to_number(token);
                current_ = root;
                state_ = motion_data;
                build_joint_list();
                break;
            case motion_data:
                consume_value(token);
                break;
            default:
                break;
        }
    }
}

void MotionClip::build_joint_list() {
    // Built once: a file repeating "Time:" must not list (and feed) the joints again and again.
    if (!root || joint_list_built_) return;
    joint_list_built_ = true;
    // Depth-first pre-order with an explicit stack: a deeply nested file must not exhaust the
    // call stack.
    std::vector<Joint*> pending{root};
    while (!pending.empty()) {
        Joint* joint = pending.back();
        pending.pop_back();
        joint->frames.push_back(translation_matrix(joint->offset[0], joint->offset[1], joint->offset[2]));
        if (!joint->children.empty()) joints.push_back(joint);
        for (auto child = joint->children.rbegin(); child != joint->children.rend(); ++child)
            pending.push_back(*child);
    }
}

void MotionClip::consume_value(const std::string& token) {
    if (joints.empty() || no_channels_) return;
    // A joint without channels takes no values and gets no frames; the value goes to the next
    // joint that has channels. If none has any, the value is dropped.
    size_t skipped = 0;
    while (joints[joint_index_]->channels.empty()) {
        joint_index_ = (joint_index_ + 1) % joints.size();
        channel_index_ = 0;
        if (++skipped == joints.size()) {
            no_channels_ = true;
            return;
        }
    }

    Joint& joint = *joints[joint_index_];
    const int32_t code = joint.channels[channel_index_];
    ++value_count;
    const float v = static_cast<float>(to_number(token));
    switch (code) {
        case x_position:
            translation_ = multiply(translation_, translation_matrix(v, 0, 0));
            break;
        case y_position:
            translation_ = multiply(translation_, translation_matrix(0, v, 0));
            break;
        case z_position:
            translation_ = multiply(translation_, translation_matrix(0, 0, v));
            break;
        case z_rotation:
            rot_z_ = multiply(rot_z_, rotation_z(v));
            break;
        case x_rotation:
            rot_x_ = multiply(rot_x_, rotation_x(v));
            break;
        case y_rotation:
            rot_y_ = multiply(rot_y_, rotation_y(v));
            break;
        default:
            break;
    }

    if (++channel_index_ >= joint.channels.size()) {
        joint.frames.push_back(multiply(multiply(multiply(translation_, rot_z_), rot_x_), rot_y_));
        translation_ = rot_y_ = rot_x_ = rot_z_ = identity_matrix();
        ++joint_index_;
        channel_index_ = 0;
    }
    if (joint_index_ >= joints.size()) joint_index_ = 0;
}
