#include "tools/capture/capture_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool parse(std::vector<const char*> args, CaptureOptions& options, std::string& error) {
    args.insert(args.begin(), "brinefall-capture");
    return parse_capture_options(static_cast<int>(args.size()), args.data(), options, error);
}

}  // namespace

TEST(CaptureOptions, ReadsEveryOption) {
    CaptureOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--size",         "160x90",    "--fps",      "10",
                       "--from",         "1.5",       "--to",       "3",
                       "--every",        "4",         "--out",      "frames",
                       "--video",        "a.mp4",     "--stats",    "s.json",
                       "--sheet",        "sheet.png", "--low-spec", "--force-16x9",
                       "--show-dir",     "show",      "--profile",  "--reference-chain",
                       "--render-scale", "0.5",       "--draw-all"},
                      o, error))
        << error;
    EXPECT_EQ(o.width, 160);
    EXPECT_EQ(o.height, 90);
    EXPECT_EQ(o.fps, 10);
    EXPECT_EQ(o.from, 1.5);
    EXPECT_EQ(o.to, 3.0);
    EXPECT_EQ(o.every, 4);
    EXPECT_EQ(o.out, "frames");
    EXPECT_EQ(o.video, "a.mp4");
    EXPECT_EQ(o.stats, "s.json");
    EXPECT_EQ(o.sheet, "sheet.png");
    EXPECT_EQ(o.show_dir, "show");
    EXPECT_TRUE(o.low_spec);
    EXPECT_TRUE(o.force_16x9);
    EXPECT_TRUE(o.profile);
    EXPECT_TRUE(o.reference_chain);
    EXPECT_EQ(o.render_scale, 0.5);
    EXPECT_TRUE(o.draw_all);
    CaptureOptions plain;
    ASSERT_TRUE(parse({"--render-scale", "auto"}, plain, error)) << error;
    EXPECT_EQ(plain.render_scale, 0.0) << "auto";
    EXPECT_FALSE(plain.profile);
    EXPECT_FALSE(plain.reference_chain);
    EXPECT_FALSE(plain.draw_all);
}

TEST(CaptureOptions, RefusesWhatItCannotUse) {
    const std::vector<std::vector<const char*>> bad = {
        {"--size", "160"},
        {"--size", "160x"},
        {"--size", "0x90"},
        {"--size", "99999x90"},
        {"--size", "-5x90"},
        {"--fps", "0"},
        {"--fps", "10.5"},
        {"--fps", "ten"},
        {"--every", "0"},
        {"--from", "5", "--to", "3"},
        {"--to", "-1"},
        {"--to", "nan"},
        {"--to", "1e300"},
        {"--from", "inf"},
        {"--bogus"},
        {"--out"},
        {"stray"},
        {"--sheet", "s.png"},
        {"--render-scale", "2"},
        {"--render-scale", "0"},
        {"--render-scale"},
        {"--at", "1,,2"},
        {"--at", "-1"},
        {"--at", "5", "--from", "2"},
        {"--at", "5", "--every", "2"},
        {"--at", "5", "--video", "a.mp4"},
    };
    for (const auto& args : bad) {
        CaptureOptions o;
        std::string error;
        EXPECT_FALSE(parse(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(CaptureOptions, FrameRangeIncludesBothEnds) {
    CaptureOptions o;
    o.fps = 10;
    o.to = 3;
    EXPECT_EQ(last_frame(o), 30);
    o.fps = 60;
    o.to = 2.05;  // 2.05 * 60 is a hair below 123 in doubles
    EXPECT_EQ(last_frame(o), 123);
    o.fps = 25;
    o.to = 0.28;  // and 0.28 * 25 a hair above 7
    EXPECT_EQ(last_frame(o), 7);
    EXPECT_EQ(last_frame(CaptureOptions{}), -1);  // until the show ends

    EXPECT_EQ(first_written_frame(o), 0);
    o.from = 0.28;
    EXPECT_EQ(first_written_frame(o), 7);
    o.from = 0.29;
    EXPECT_EQ(first_written_frame(o), 8);
}

TEST(CaptureOptions, EveryKthFrameFromTheFirstWritten) {
    CaptureOptions o;
    o.fps = 10;
    o.from = 1;
    o.every = 5;
    std::vector<long> written;
    for (long n = 0; n <= 30; ++n)
        if (frame_is_written(o, n)) written.push_back(n);
    EXPECT_EQ(written, (std::vector<long>{10, 15, 20, 25, 30}));
}

TEST(CaptureOptions, AtNamesTheWrittenFramesAndTheRunEndsAtTheLast) {
    CaptureOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--fps", "10", "--at", "20.05,3,0.28", "--out", "f"}, o, error)) << error;
    EXPECT_EQ(first_written_frame(o), 3);
    EXPECT_EQ(last_frame(o), 201);  // 20.05 s lies between frames 200 and 201
    std::vector<long> written;
    for (long n = 0; n <= 300; ++n)
        if (frame_is_written(o, n)) written.push_back(n);
    EXPECT_EQ(written, (std::vector<long>{3, 30, 201}));
}

TEST(CaptureOptions, OnlyTheFramesAskedForAreDrawnUnlessEveryFrameIs) {
    CaptureOptions o;
    o.fps = 10;
    o.from = 1;
    o.every = 5;
    o.out = "frames";
    std::vector<long> drawn;
    for (long n = 0; n <= 20; ++n)
        if (frame_is_drawn(o, n)) drawn.push_back(n);
    EXPECT_EQ(drawn, (std::vector<long>{10, 15, 20}));
    std::vector<long> preparing;
    for (long n = 0; n <= 20; ++n)
        if (frame_prepares_next(o, n)) preparing.push_back(n);
    EXPECT_EQ(preparing, (std::vector<long>{9, 14, 19}));

    // Frame times alone (--stats): every frame from --from on.
    o.out.clear();
    EXPECT_FALSE(frame_is_drawn(o, 9));
    EXPECT_TRUE(frame_is_drawn(o, 11));

    o.draw_all = true;
    EXPECT_TRUE(frame_is_drawn(o, 0));
    EXPECT_TRUE(frame_is_drawn(o, 12));
}
