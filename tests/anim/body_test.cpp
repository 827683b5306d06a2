#include "anim/body.h"
#include "anim/rigid.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/file_io.h"

namespace {

// Writes a motion file and builds a figure from it, keeping the loader's lines off the test log.
std::unique_ptr<body> make_body(const std::string& name, const std::string& text) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("anim_body_" + name + ".bvh")).string();
    EXPECT_TRUE(write_file(path, text));
    testing::internal::CaptureStdout();
    auto figure = std::make_unique<body>(path);
    testing::internal::GetCapturedStdout();
    return figure;
}

// abdomen → chest → {neck, lCollar, rCollar}, each ending in an End Site; every joint has one
// Xposition channel so frames are easy to read back.
std::string torso(const std::string& motion_rows, int declared) {
    std::string t =
        "HIERARCHY\nROOT abdomen\n{\nOFFSET 0 1 0\nCHANNELS 1 Xposition\n"
        "JOINT chest\n{\nOFFSET 0 2 0\nCHANNELS 1 Xposition\n";
    for (const char* name : {"neck", "lCollar", "rCollar"})
        t += std::string("JOINT ") + name +
             "\n{\nOFFSET 0 0 1\nCHANNELS 1 Xposition\nEnd Site\n{\nOFFSET 0 1 0\n}\n}\n";
    t += "}\n}\nMOTION\nFrames: " + std::to_string(declared) + "\nFrame Time: 0.1\n" + motion_rows;
    return t;
}

void expect_translation(const Matrix4& m, float x, float y, float z) {
    EXPECT_NEAR(m[12], x, 1e-5);
    EXPECT_NEAR(m[13], y, 1e-5);
    EXPECT_NEAR(m[14], z, 1e-5);
}

TEST(Body, FrameSelectionLoopsOverTheMotionFrames) {
    FrameSelection s = body::select_frames(0.0f, 101);
    EXPECT_EQ(s.first, 1u);
    EXPECT_EQ(s.second, 2u);
    EXPECT_EQ(s.weight, 0.0f);
    s = body::select_frames(99.5f, 101);
    EXPECT_EQ(s.first, 100u);
    EXPECT_EQ(s.second, 1u);
    EXPECT_EQ(s.weight, 0.5f);
    s = body::select_frames(100.0f, 101);
    EXPECT_EQ(s.first, 1u);
    EXPECT_FALSE(s.rest);
    // A negative frame wraps through its 32-bit two's complement: (2^32 − 1) mod 100 + 1 = 96.
    EXPECT_EQ(body::select_frames(-1.0f, 101).first, 96u);
}

TEST(Body, ClipWithoutMotionFramesSelectsTheRestPose) {
    EXPECT_TRUE(body::select_frames(5.0f, 1).rest);
    EXPECT_TRUE(body::select_frames(5.0f, 0).rest);

    auto figure = make_body("rest", torso("", 0));
    ASSERT_EQ(figure->clip->frame_count, 1);
    figure->frame = 7.0f;
    const auto parts = figure->pose();
    ASSERT_EQ(parts.size(), 7u);
    expect_translation(parts[0].transform, 0, 1, 0);  // abdomen at its offset
    expect_translation(parts[1].transform, 0, 3, 0);  // chest: offsets add up
    expect_translation(parts[2].transform, 0, 3, 1);  // neck
}

TEST(Body, AdvanceWrapsAtTheRootFrameCount) {
    std::string rows;
    for (int f = 0; f < 100; ++f) rows += "0 0 0 0 0\n";
    auto figure = make_body("advance", torso(rows, 100));
    ASSERT_EQ(figure->clip->root->frames.size(), 101u);
    EXPECT_EQ(figure->frame, 1.0f);
    figure->frame = 99.0f;
    figure->advance();
    EXPECT_EQ(figure->frame, 100.0f);
    figure->advance();
    EXPECT_EQ(figure->frame, 1.0f);
}

TEST(Body, AJointDrawsItsPartOncePerChild) {
    auto figure = make_body("children", torso("0 0 0 0 0\n", 1));
    const auto parts = figure->pose();
    std::vector<std::string> names;
    for (const BodyPart& p : parts) names.push_back(p.joint->name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"abdomen", "chest", "neck", "chest", "lCollar", "chest", "rCollar"}));
    EXPECT_EQ(parts[1].transform, parts[3].transform);
    EXPECT_EQ(parts[3].transform, parts[5].transform);
}

TEST(Body, BlendsTwoFramesElementWiseAndChainsParents) {
    // Frame 1 moves the root to x = 2, frame 2 to x = 6; the chest adds 10 and 20.
    auto figure = make_body("blend", torso("2 10 0 0 0\n6 20 0 0 0\n", 2));
    figure->frame = 1.25f;  // i0 = 1 mod 2 + 1 = 2, i1 = 2 mod 2 + 1 = 1, w = 0.25
    const auto parts = figure->pose();
    expect_translation(parts[0].transform, 6 + (2 - 6) * 0.25f, 1, 0);
    expect_translation(parts[1].transform, 26 + (12 - 26) * 0.25f, 3, 0);

    // Rotations blend as plain matrices: a quarter turn half-way gives a shortened, not a unit,
    // column.
    auto turning = make_body(
        "turn",
        "ROOT Hips { OFFSET 0 0 0 CHANNELS 1 Zrotation JOINT head { OFFSET 0 1 0 CHANNELS 1 Zrotation "
        "End Site { OFFSET 0 1 0 } } } MOTION Frames: 2 Frame Time: 0.1 0 0 90 0");
    turning->frame = 0.5f;  // frames 1 and 2, half-way
    const Matrix4 m = turning->pose()[0].transform;
    EXPECT_NEAR(m[0], 0.5f, 1e-5);
    EXPECT_NEAR(m[1], 0.5f, 1e-5);
}

TEST(Body, NamesOutsideThePartTableStillCarryTheirChildren) {
    EXPECT_EQ(find_part("Hips"), nullptr);
    EXPECT_EQ(find_part("lShin")->object, 3);
    EXPECT_EQ(find_part("rShin")->object, 3);
    EXPECT_FLOAT_EQ(find_part("chest")->scale, 1.09f);
    auto figure = make_body(
        "unnamed",
        "ROOT Hips { OFFSET 5 0 0 CHANNELS 1 Yposition JOINT head { OFFSET 0 1 0 CHANNELS 1 Yposition "
        "End Site { OFFSET 0 1 0 } } } MOTION Frames: 1 Frame Time: 0.1 3 4");
    const auto parts = figure->pose();
    ASSERT_EQ(parts.size(), 2u);
    expect_translation(parts[1].transform, 5, 8, 0);
}

TEST(Body, ClipCutInsideAFrameHoldsShortJointsOnTheirLastFrame) {
    // Two full frames and a third that stops after the root's value: the root has one frame more
    // than every other joint.
    auto figure = make_body("cut", torso("1 0 0 0 0\n2 0 0 0 0\n3", 3));
    ASSERT_EQ(figure->clip->root->frames.size(), 4u);
    ASSERT_EQ(figure->clip->joints[1]->frames.size(), 3u);
    figure->frame = 2.0f;  // selects frame 3 of the root, which the chest does not have
    const auto parts = figure->pose();
    expect_translation(parts[0].transform, 3, 1, 0);
    expect_translation(parts[1].transform, 3, 3, 0);  // chest holds frame 2 (x = 0)
}

TEST(Body, MissingMotionFilePropagates) {
    testing::internal::CaptureStdout();
    EXPECT_THROW(body("/nonexistent/neomeshes//avatar_walk.bvh"), fileNotFound);
    testing::internal::GetCapturedStdout();
}

TEST(Body, TableJointsGetRigidPartMeshes) {
    auto figure = make_body(
        "meshes",
        "ROOT Hips { OFFSET 0 0 0 CHANNELS 0 JOINT Chest { OFFSET 0 1 0 JOINT Chest2 { OFFSET 0 1 0 "
        "JOINT LeftKnee { OFFSET 0 1 0 End Site { OFFSET 0 0 0 } } } } } MOTION Frames: 0 Frame Time: 0.1");
    const auto& joints = figure->clip->joints;
    ASSERT_EQ(joints.size(), 4u);
    EXPECT_EQ(joints[0]->mesh, nullptr);  // the root never gets one
    EXPECT_EQ(joints[1]->mesh, nullptr);  // "Chest" is skipped on purpose
    ASSERT_NE(joints[2]->mesh, nullptr);
    EXPECT_EQ(joints[2]->mesh->source->file_name, "torso.obj");
    ASSERT_NE(joints[3]->mesh, nullptr);
    EXPECT_EQ(joints[3]->mesh->source->directory, "Other/obj/");
}

}  // namespace
