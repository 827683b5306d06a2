// The generated motion clips read back through the show's clip loader and played on the figure
// with the generated skin.
#include "anim/body.h"
#include "anim/motion_clip.h"
#include "render/mesh.h"
#include "tests/assets_meshes/generated_pack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

struct ClipCase {
    const char* name;
    int frames;
};

constexpr ClipCase kClips[] = {
    {"neomeshes//avatar_run.bvh", 12},     {"neomeshes//avatar_run2.bvh", 14},
    {"neomeshes//avatar_walk.bvh", 14},    {"neomeshes//avatar_sit.bvh", 120},
    {"neomeshes//avatar_throw_R.bvh", 48}, {"neomeshes//avatar_push.bvh", 36},
};

using Point = std::array<float, 3>;

Point transform_point(const Matrix4& m, const float* p) {
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12], m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

float distance(const Point& a, const Point& b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

// Joint positions of the figure at a frame position, in drawing order.
std::vector<Point> joint_positions(body& figure, float frame) {
    figure.frame = frame;
    std::vector<Point> out;
    const float origin[3] = {0, 0, 0};
    for (const BodyPart& part : figure.pose()) out.push_back(transform_point(part.transform, origin));
    return out;
}

// The skin as the figure draws it: every part's vertices placed on its joint.
struct PlacedPart {
    std::string joint;
    Point joint_position;
    std::vector<Point> points;
};

std::vector<PlacedPart> placed_skin(body& figure, const Mesh& skin, float frame) {
    figure.frame = frame;
    std::vector<PlacedPart> out;
    const float origin[3] = {0, 0, 0};
    for (const BodyPart& part : figure.pose()) {
        const PartPlacement* placement = find_part(part.joint->name);
        if (!placement) continue;
        Matrix4 m = part.transform;
        m = multiply(m, {44.16f, 0, 0, 0, 0, -44.16f, 0, 0, 0, 0, 44.16f, 0, 0, 0, 0, 1});
        m = multiply(m, translation_matrix(placement->translation[0], placement->translation[1],
                                           placement->translation[2]));
        float s = placement->scale;
        m = multiply(m, {s, 0, 0, 0, 0, s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1});
        PlacedPart placed{part.joint->name, transform_point(part.transform, origin), {}};
        int k = placement->object;
        for (int t = skin.object_boundaries[k]; t < skin.object_boundaries[k + 1]; ++t)
            for (int c = 0; c < 3; ++c)
                placed.points.push_back(transform_point(m, skin.vertices[skin.indices[3 * t + c]].position));
        out.push_back(std::move(placed));
    }
    return out;
}

std::string path_of(const char* name) { return (generated_pack() / name).string(); }

}  // namespace

TEST(MotionClips, LoadWithTheFigureJointsAndEveryFrameComplete) {
    const std::vector<std::string> names = {
        "hip",    "abdomen",  "chest", "neck",   "head",  "lCollar", "lShldr", "lForeArm", "lHand", "rCollar",
        "rShldr", "rForeArm", "rHand", "lThigh", "lShin", "lFoot",   "rThigh", "rShin",    "rFoot"};
    for (const ClipCase& c : kClips) {
        SCOPED_TRACE(c.name);
        auto clip = MotionClip::from_text(generated_file(c.name), false);
        ASSERT_EQ(clip->joints.size(), names.size());
        for (size_t j = 0; j < names.size(); ++j) {
            EXPECT_EQ(clip->joints[j]->name, names[j]);
            EXPECT_EQ(clip->joints[j]->frames.size(), static_cast<size_t>(c.frames + 1));
        }
        EXPECT_EQ(clip->frame_count, c.frames + 1);
        EXPECT_EQ(clip->value_count, 60LL * c.frames);
        EXPECT_EQ(clip->root->channels.size(), 6u);
    }
}

TEST(MotionClips, LoopFromTheLastFrameToTheFirstLikeAnyOtherStep) {
    for (const ClipCase& c : kClips) {
        SCOPED_TRACE(c.name);
        body figure(path_of(c.name));
        float largest_step = 0;
        for (int f = 0; f + 1 < c.frames; ++f) {
            auto a = joint_positions(figure, static_cast<float>(f)),
                 b = joint_positions(figure, static_cast<float>(f + 1));
            for (size_t j = 0; j < a.size(); ++j) largest_step = std::max(largest_step, distance(a[j], b[j]));
        }
        // Frame N (position N - 1) is followed by frame 1 (position N wraps to it).
        auto last = joint_positions(figure, static_cast<float>(c.frames - 1)),
             first = joint_positions(figure, 0.0f);
        float seam = 0;
        for (size_t j = 0; j < last.size(); ++j) seam = std::max(seam, distance(last[j], first[j]));
        EXPECT_GT(largest_step, 0.5f) << "the clip moves";
        EXPECT_LE(seam, largest_step * 1.05f + 0.01f);
        EXPECT_GT(seam, 0.0f) << "the last frame is not a copy of the first";
    }
}

TEST(MotionClips, GaitsSwingEachArmAgainstItsLegAndBobTheHips) {
    for (const char* name :
         {"neomeshes//avatar_walk.bvh", "neomeshes//avatar_run.bvh", "neomeshes//avatar_run2.bvh"}) {
        SCOPED_TRACE(name);
        body figure(path_of(name));
        const int frames = figure.clip->frame_count - 1;
        std::vector<double> hand, foot, hip;
        for (int f = 0; f < frames; ++f) {
            figure.frame = static_cast<float>(f);
            const float origin[3] = {0, 0, 0};
            for (const BodyPart& part : figure.pose()) {
                Point p = transform_point(part.transform, origin);
                if (part.joint->name == "lHand") hand.push_back(p[2]);
                if (part.joint->name == "lFoot") foot.push_back(p[2]);
                if (part.joint->name == "hip") hip.push_back(p[1]);
            }
        }
        // The hip draws nothing but is the first stack entry; a joint with several children
        // appears once per child.
        ASSERT_EQ(hand.size(), static_cast<size_t>(frames));
        ASSERT_EQ(foot.size(), static_cast<size_t>(frames));
        auto mean = [](const std::vector<double>& v) {
            double s = 0;
            for (double x : v) s += x;
            return s / v.size();
        };
        double mh = mean(hand), mf = mean(foot), cov = 0, vh = 0, vf = 0;
        for (int f = 0; f < frames; ++f) {
            cov += (hand[f] - mh) * (foot[f] - mf);
            vh += (hand[f] - mh) * (hand[f] - mh);
            vf += (foot[f] - mf) * (foot[f] - mf);
        }
        EXPECT_LT(cov / std::sqrt(vh * vf), -0.5)
            << "the left hand swings forward as the left foot goes back";
        ASSERT_FALSE(hip.empty());
        auto [low, high] = std::minmax_element(hip.begin(), hip.end());
        EXPECT_GT(*high - *low, 0.5);
        EXPECT_LT(*high - *low, 5.0);
    }
}

TEST(MotionClips, TheSkinAssemblesAHumanOnEveryClip) {
    Mesh skin;
    ASSERT_TRUE(skin.load(path_of("neomeshes//human4.obj"), false));
    for (const ClipCase& c : kClips) {
        SCOPED_TRACE(c.name);
        body figure(path_of(c.name));
        bool run = std::string(c.name).find("run") != std::string::npos;
        for (int f = 0; f < c.frames; f += std::max(1, c.frames / 12)) {
            SCOPED_TRACE(f);
            float lowest = 1e9f, highest = -1e9f;
            std::map<std::string, float> centre_y;
            for (const PlacedPart& part : placed_skin(figure, skin, static_cast<float>(f))) {
                float nearest = 1e9f, sum = 0;
                for (const Point& p : part.points) {
                    lowest = std::min(lowest, p[1]);
                    highest = std::max(highest, p[1]);
                    nearest = std::min(nearest, distance(p, part.joint_position));
                    sum += p[1];
                }
                centre_y[part.joint] = sum / part.points.size();
                // Every part sits on its own joint (the shared shin within its table offset).
                EXPECT_LT(nearest, 3.5f) << part.joint;
            }
            EXPECT_NEAR(lowest, run ? 1.0f : 0.0f, run ? 3.5f : 1.2f) << "soles on the ground";
            EXPECT_GT(centre_y["head"], centre_y["chest"]);
            EXPECT_GT(centre_y["chest"], centre_y["abdomen"]);
            EXPECT_GT(centre_y["abdomen"], centre_y["lShin"]);
            EXPECT_GT(centre_y["rShin"], centre_y["rFoot"]);
            if (std::string(c.name).find("sit") == std::string::npos) {
                EXPECT_GT(highest - lowest, 60.0f);
            }
            EXPECT_LT(highest - lowest, 80.0f);
        }
    }
}

TEST(MotionClips, InspectionToolReadsEveryClip) {
    for (const ClipCase& c : kClips) {
        std::string command = std::string(BRINEFALL_TOOL) + " bvh '" + path_of(c.name) + "'";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out;
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
        EXPECT_EQ(pclose(pipe), 0) << out;
        EXPECT_NE(out.find("\"joints\": 19"), std::string::npos) << out;
        EXPECT_NE(out.find("\"frame_count\": " + std::to_string(c.frames + 1)), std::string::npos) << out;
    }
}
