#include "tools/capture/frame_stats.h"
#include "tools/capture/process_memory.h"

#include <gtest/gtest.h>

TEST(FrameTimes, NearestRankMedianAndP95) {
    std::vector<double> samples;
    for (int i = 20; i >= 1; --i) samples.push_back(i);
    const FrameTimeSummary s = summarise_frame_times(samples);
    EXPECT_EQ(s.frames, 20u);
    EXPECT_EQ(s.median_ms, 10.0);
    EXPECT_EQ(s.p95_ms, 19.0);

    const FrameTimeSummary one = summarise_frame_times({7.5});
    EXPECT_EQ(one.median_ms, 7.5);
    EXPECT_EQ(one.p95_ms, 7.5);

    const FrameTimeSummary none = summarise_frame_times({});
    EXPECT_EQ(none.frames, 0u);
    EXPECT_EQ(none.p95_ms, 0.0);
}

TEST(FrameStats, FramesGoToTheSlotThatDrewLast) {
    FrameStats stats;
    stats.record_startup(12.5);
    stats.record_scene_load(1, 3.0);
    stats.record_frame(1, 6.0);
    stats.record_frame(1, 4.0);
    stats.record_frame(-1, 1.0);
    EXPECT_EQ(stats.json(),
              "{\"startup\": {\"loader_ms\":null,\"scene_load_ms\":[null,3,null,null],"
              "\"total_ms\":12.5}, \"scene_frames\": [{\"frames\": 0, \"median_ms\": 0, "
              "\"p95_ms\": 0, \"max_ms\": 0, \"first_ms\": []},{\"frames\": 2, \"median_ms\": 4, "
              "\"p95_ms\": 6, \"max_ms\": 6, \"first_ms\": [6, 4]},{\"frames\": 0, \"median_ms\": 0, "
              "\"p95_ms\": 0, \"max_ms\": 0, \"first_ms\": []},{\"frames\": 0, \"median_ms\": 0, "
              "\"p95_ms\": 0, \"max_ms\": 0, \"first_ms\": []}], \"no_scene_frames\": {\"frames\": 1, "
              "\"median_ms\": 1, \"p95_ms\": 1, \"max_ms\": 1, \"first_ms\": [1]}}");
}

TEST(FrameTimes, MaximumAndTheFirstFramesInTheOrderDrawn) {
    // A scene whose third frame hitches (first draws of a material) and whose later frames are
    // steady: the maximum finds it, the first frames say where it was.
    std::vector<double> samples = {30, 31, 95, 29, 30, 33, 30, 31, 30, 29, 32, 140, 30};
    const FrameTimeSummary s = summarise_frame_times(samples);
    EXPECT_EQ(s.max_ms, 140.0);
    EXPECT_EQ(s.median_ms, 30.0);
    ASSERT_EQ(s.first_ms.size(), first_frames_reported);
    EXPECT_EQ(s.first_ms, std::vector<double>(samples.begin(), samples.begin() + 10));
    // The check the first frames are there for: no more than twice the median.
    int slow = 0;
    for (double ms : s.first_ms) slow += ms > 2.0 * s.median_ms;
    EXPECT_EQ(slow, 1);

    // Fewer frames than that: all of them.
    EXPECT_EQ(summarise_frame_times({5, 3}).first_ms, (std::vector<double>{5, 3}));
    EXPECT_TRUE(summarise_frame_times({}).first_ms.empty());
    EXPECT_EQ(summarise_frame_times({}).max_ms, 0.0);
}

TEST(FrameStats, ResourcesAppearOnceRecorded) {
    FrameStats stats;
    EXPECT_EQ(stats.json().find("resources"), std::string::npos);
    ResourceUse use;
    use.resident_after_load_kb = 1000;
    use.resident_after_first_frame_kb = 1200;
    use.resident_at_end_kb = 1210;
    use.peak_resident_kb = 1300;
    use.gl_objects_created_after_load = 0;
    use.resident_at_written_frames_kb = {1205, 1210};
    stats.record_resources(use);
    EXPECT_NE(stats.json().find("\"resources\": {\"resident_after_load_kb\": 1000, "
                                "\"resident_after_first_frame_kb\": 1200, \"resident_at_end_kb\": 1210, "
                                "\"peak_resident_kb\": 1300, \"gl_objects_created_after_load\": 0, "
                                "\"resident_at_written_frames_kb\": [1205, 1210]}}"),
              std::string::npos)
        << stats.json();
}

TEST(ProcessMemory, ReadsTheNamedLineOfAStatusText) {
    const char* status = "Name:\tx\nVmHWM:\t  52340 kB\nVmRSS:\t  41000 kB\nVmRSSX:\t1 kB\n";
    EXPECT_EQ(status_field_kb(status, "VmRSS"), 41000);
    EXPECT_EQ(status_field_kb(status, "VmHWM"), 52340);
    EXPECT_EQ(status_field_kb(status, "VmSwap"), -1);
    EXPECT_EQ(status_field_kb("", "VmRSS"), -1);
    // The live process has both, and its peak is never below what it holds now.
    const long now = resident_kb();
    EXPECT_GT(now, 0);
    EXPECT_GE(peak_resident_kb(), now);
}

namespace {

// Three opening frames, the second with the depth pre-pass.
void record_opening_frames(FrameStats& stats) {
    stats.record_passes(0, 50.0, {{"main", 20.0}, {"main/f_sea", 8.0}, {"compose", 10.0}}, 3, 11);
    stats.record_passes(
        0, 70.0, {{"depth pre-pass", 9.0}, {"main", 30.0}, {"main/f_sea", 12.0}, {"compose", 14.0}}, 5, 13);
    stats.record_passes(0, 60.0, {{"main", 22.0}, {"main/f_sea", 10.0}, {"compose", 12.0}}, 4, 12);
}

}  // namespace

TEST(FrameStats, ProfileGivesEveryPassOfEverySlotItsMedianAndTheRest) {
    FrameStats stats;
    // Opening frames; a middle frame; a loading frame (no slot).
    record_opening_frames(stats);
    stats.record_passes(2, 40.0, {{"light", 6.0}, {"main", 14.0}, {"compose", 9.0}}, 2, 7);
    stats.record_passes(-1, 5.0, {{"compose", 1.0}}, 0, 0);
    const std::string json = stats.json();
    const std::size_t profile = json.find("\"profile\": [");
    ASSERT_NE(profile, std::string::npos) << json;
    // Passes in the order they first ran; nested groups under their pass; "rest" is the frame
    // outside the timed top-level passes (50-30, 70-53, 60-34: median 20); nested times are not
    // subtracted twice.
    EXPECT_NE(json.find("{\"passes\": {\"main\": 22, \"main/f_sea\": 10, \"compose\": 12, \"rest\": 20, "
                        "\"depth pre-pass\": 9}, \"chain_draw_calls\": 4, \"material_state_changes\": 12",
                        profile),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"passes\": {\"light\": 6, \"main\": 14, \"compose\": 9, \"rest\": 11}", profile),
              std::string::npos)
        << json;
    // Slots that drew nothing have an empty profile.
    EXPECT_NE(json.find("{\"passes\": {}, \"chain_draw_calls\": 0, \"material_state_changes\": 0", profile),
              std::string::npos)
        << json;
}

TEST(FrameStats, ProfileMeansCountAPassMissingFromAFrameAsNothing) {
    FrameStats stats;
    record_opening_frames(stats);
    const std::string json = stats.json();
    // The depth pre-pass ran in one frame of three (median 9, mean 3); rest 20, 17, 26.
    EXPECT_NE(json.find("\"material_state_changes\": 12, \"pass_means\": {\"main\": 24, \"main/f_sea\": 10, "
                        "\"compose\": 12, \"rest\": 21, \"depth pre-pass\": 3}}"),
              std::string::npos)
        << json;
    // A slot that drew nothing has no means either.
    EXPECT_NE(json.find("\"material_state_changes\": 0, \"pass_means\": {}}"), std::string::npos) << json;
}

TEST(FrameStats, NoProfileWithoutProfiledFrames) {
    FrameStats stats;
    stats.record_frame(0, 4.0);
    EXPECT_EQ(stats.json().find("profile"), std::string::npos);
}
