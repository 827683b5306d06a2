#include "anim/motion_clip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/file_io.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

const std::string two_joint_hierarchy = R"(HIERARCHY
ROOT Hips
{
  OFFSET 1 2 3
  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation
  JOINT Chest
  {
    OFFSET 0 5 0
    CHANNELS 3 Zrotation Xrotation Yrotation
    End Site
    {
      OFFSET 0 2 0
    }
  }
}
)";

std::string motion(int declared, const std::string& rows) {
    return "MOTION\nFrames: " + std::to_string(declared) + "\nFrame Time: 0.0333333\n" + rows;
}

std::unique_ptr<MotionClip> parse(const std::string& text) { return MotionClip::from_text(text, false); }

void expect_matrix_near(const Matrix4& actual, const Matrix4& expected, float tolerance = 1e-6f) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

TEST(MotionClip, ReadsTheTreeOffsetsAndChannels) {
    const auto clip = parse(two_joint_hierarchy + motion(1, "0 0 0 0 0 0 0 0 0\n"));
    ASSERT_NE(clip->root, nullptr);
    EXPECT_EQ(clip->root->name, "Hips");
    EXPECT_EQ(clip->root->offset, (std::array<float, 3>{1, 2, 3}));
    EXPECT_EQ(clip->root->channels, (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    ASSERT_EQ(clip->root->children.size(), 1u);
    const Joint* chest = clip->root->children[0];
    EXPECT_EQ(chest->name, "Chest");
    EXPECT_EQ(chest->parent, clip->root);
    EXPECT_EQ(chest->channels, (std::vector<int32_t>{3, 4, 5}));
    ASSERT_EQ(chest->children.size(), 1u);
    const Joint* end_site = chest->children[0];
    EXPECT_TRUE(end_site->name.empty());
    EXPECT_EQ(end_site->offset, (std::array<float, 3>{0, 2, 0}));
    EXPECT_DOUBLE_EQ(clip->frame_time, 0.0333333);
}

TEST(MotionClip, ListsJointsWithChildrenAndGivesEndSitesOnlyTheirOffset) {
    const auto clip = parse(two_joint_hierarchy + motion(2, "0 0 0 0 0 0 0 0 0\n1 1 1 1 1 1 1 1 1\n"));
    ASSERT_EQ(clip->joints.size(), 2u);
    EXPECT_EQ(clip->joints[0], clip->root);
    EXPECT_EQ(clip->joints[1]->name, "Chest");
    EXPECT_EQ(clip->joints[1]->frames.size(), 3u);
    const Joint* end_site = clip->joints[1]->children[0];
    ASSERT_EQ(end_site->frames.size(), 1u);
    expect_matrix_near(end_site->frames[0], translation_matrix(0, 2, 0));
    expect_matrix_near(clip->root->frames[0], translation_matrix(1, 2, 3));
    EXPECT_EQ(clip->frame_count, 3);
    EXPECT_EQ(clip->value_count, 18);
}

TEST(MotionClip, ComposesTranslationThenZXYRotation) {
    // Rz(90)·Rx(90): x → y, y → z, z → x.
    const auto clip = parse(two_joint_hierarchy + motion(1, "4 5 6 90 90 0 0 0 0\n"));
    const Matrix4 expected = {0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 4, 5, 6, 1};
    expect_matrix_near(clip->root->frames[1], expected);
}

TEST(MotionClip, ChannelOrderInTheFileDoesNotChangeTheComposition) {
    std::string xyz = two_joint_hierarchy;
    xyz.replace(xyz.find("CHANNELS 3 Zrotation Xrotation Yrotation"), 40,
                "CHANNELS 3 Xrotation Yrotation Zrotation");
    // Same angles, listed X, Y, Z instead of Z, X, Y.
    const auto zxy = parse(two_joint_hierarchy + motion(1, "0 0 0 0 0 0 30 40 50\n"));
    const auto reordered = parse(xyz + motion(1, "0 0 0 0 0 0 40 50 30\n"));
    expect_matrix_near(reordered->joints[1]->frames[1], zxy->joints[1]->frames[1]);
    const Matrix4 expected = multiply(multiply(rotation_z(30), rotation_x(40)), rotation_y(50));
    expect_matrix_near(zxy->joints[1]->frames[1], expected);
    // And it is not the file-order product.
    const Matrix4 file_order = multiply(multiply(rotation_x(40), rotation_y(50)), rotation_z(30));
    EXPECT_GT(std::fabs(file_order[1] - expected[1]) + std::fabs(file_order[2] - expected[2]), 1e-3f);
}

TEST(MotionClip, RotationsUseTheShowsPi) {
    const Matrix4 r = rotation_z(180);
    // sin(3.141593) in single precision is about −3.5e−7, not exactly 0.
    EXPECT_FLOAT_EQ(r[1], std::sin(3.141593f));
    EXPECT_FLOAT_EQ(r[0], -1.0f);
}

TEST(MotionClip, FrameCountComesFromTheRootNotTheDeclaration) {
    std::string rows;
    for (int f = 0; f < 99; ++f) rows += "0 0 0 0 0 0 1 2 3\n";
    const auto clip = parse(two_joint_hierarchy + motion(100, rows));
    EXPECT_EQ(clip->frame_count, 100);
    const auto overdeclared = parse(two_joint_hierarchy + motion(500, rows));
    EXPECT_EQ(overdeclared->frame_count, 100);
}

TEST(MotionClip, ReportsFramesAndBodyParts) {
    // Root with 6 channels and 18 three-channel joints, each with an End Site, over 4 frames:
    // (6 + 54)·4 / (3·5) − 1 = 15 body parts.
    std::string text =
        "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation "
        "Yrotation\n";
    for (int j = 0; j < 18; ++j)
        text +=
            "JOINT J" + std::to_string(j) +
            "\n{\nOFFSET 0 1 0\nCHANNELS 3 Zrotation Xrotation Yrotation\nEnd Site\n{\nOFFSET 0 1 0\n}\n}\n";
    text += "}\n";
    std::string row;
    for (int v = 0; v < 60; ++v) row += "1 ";
    const std::string path = (std::filesystem::temp_directory_path() / "anim_motion_clip_parts.bvh").string();
    ASSERT_TRUE(write_file(path, text + motion(4, row + "\n" + row + "\n" + row + "\n" + row + "\n")));

    CaptureStdout();
    const MotionClip clip(path);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out, "File \"" + path + "\" found.\nframesNum = 5\nframetime = 0.0333333\n15 bodyparts\n");
    EXPECT_EQ(clip.joints.size(), 19u);
    EXPECT_EQ(clip.value_count, 240);
}

TEST(MotionClip, MissingFileSaysSoAndThrows) {
    CaptureStdout();
    EXPECT_THROW(MotionClip("/nonexistent/neomeshes//avatar_run.bvh"), fileNotFound);
    EXPECT_EQ(GetCapturedStdout(), "File \"/nonexistent/neomeshes//avatar_run.bvh\" not found.\n");
}

TEST(MotionClip, KeywordsMatchWholeTokens) {
    // "Frame" + "Time:" announce the frame time; "Frames:" is the count; "Chest2" is not "Chest".
    const auto clip = parse(
        "ROOT Chest2 { OFFSET 0 0 0 CHANNELS 1 Zrotation JOINT Chest { OFFSET 0 0 0 CHANNELS 1 Xrotation "
        "End Site { OFFSET 0 0 0 } } } MOTION Frames: 2 Frame Time: 0.5 10 20 30 40");
    EXPECT_EQ(clip->root->name, "Chest2");
    EXPECT_EQ(clip->joints[1]->name, "Chest");
    EXPECT_DOUBLE_EQ(clip->frame_time, 0.5);
    EXPECT_EQ(clip->frame_count, 3);
    EXPECT_EQ(clip->value_count, 4);
}

TEST(MotionClip, UnknownChannelNamesAndStrayTokensAreSkipped) {
    const auto clip = parse(
        "HIERARCHY junk ROOT Hips { } } OFFSET 1 1 1 CHANNELS 2 Wrotation Zrotation Xrotation "
        "JOINT A { End Site { OFFSET 0 1 0 } } } } MOTION Frames: 1 Frame Time: 0.1 90 90");
    EXPECT_EQ(clip->root->channels, (std::vector<int32_t>{3, 4}));
    EXPECT_EQ(clip->root->offset, (std::array<float, 3>{1, 1, 1}));
    EXPECT_EQ(clip->frame_count, 2);
}

TEST(MotionClip, ExtraValuesStartTheNextFrame) {
    // Values beyond one frame wrap to the first listed joint; a cut frame leaves the root one
    // frame ahead of the joints after it.
    const auto clip = parse(two_joint_hierarchy + motion(1, "0 0 0 0 0 0 0 0 0 1 1 1 1 1 1 2 2"));
    EXPECT_EQ(clip->root->frames.size(), 3u);
    EXPECT_EQ(clip->joints[1]->frames.size(), 2u);
    EXPECT_EQ(clip->frame_count, 3);
    EXPECT_EQ(clip->value_count, 17);
}

TEST(MotionClip, MotionWithoutHierarchyConsumesNothing) {
    CaptureStdout();
    const auto clip = MotionClip::from_text("MOTION Frames: 3 Frame Time: 0.1 1 2 3 4 5 6", true);
    EXPECT_EQ(GetCapturedStdout(), "framesNum = 0\nframetime = 0.1\n0 bodyparts\n");
    EXPECT_EQ(clip->root, nullptr);
    EXPECT_EQ(clip->value_count, 0);
}

TEST(MotionClip, JointsWithoutChannelsTakeNoValues) {
    const auto clip = parse(
        "ROOT R { OFFSET 0 0 0 CHANNELS 0 JOINT A { OFFSET 0 0 0 CHANNELS 1 Yrotation End Site { OFFSET 0 0 "
        "0 } } } "
        "MOTION Frames: 2 Frame Time: 0.1 10 20");
    EXPECT_EQ(clip->joints.size(), 2u);
    EXPECT_EQ(clip->joints[1]->frames.size(), 3u);
    EXPECT_EQ(clip->root->frames.size(), 1u);
    EXPECT_EQ(clip->value_count, 2);

    const auto silent =
        parse("ROOT R { OFFSET 0 0 0 JOINT A { } } MOTION Frames: 2 Frame Time: 0.1 10 20 30");
    EXPECT_EQ(silent->value_count, 0);
}

TEST(MotionClip, JointsBeforeAnyRootAreHarmless) {
    const auto clip = parse(
        "} JOINT A { OFFSET 1 2 3 CHANNELS 1 Xrotation } } JOINT B Site "
        "OFFSET 4 5 6 CHANNELS 3 MOTION Frame Time: 0.1 5 5 5");
    EXPECT_EQ(clip->root, nullptr);
    EXPECT_TRUE(clip->joints.empty());
    EXPECT_EQ(clip->frame_count, 0);
}

TEST(MotionClip, RepeatedFrameTimeDoesNotListTheJointsAgain) {
    const auto clip =
        parse(two_joint_hierarchy + motion(1, "0 0 0 0 0 0 0 0 0 Frame Time: 0.5 1 1 1 1 1 1 1 1 1"));
    EXPECT_EQ(clip->joints.size(), 2u);
    EXPECT_DOUBLE_EQ(clip->frame_time, 0.5);
    EXPECT_EQ(clip->frame_count, 3);
    EXPECT_EQ(clip->value_count, 18);
}

}  // namespace
