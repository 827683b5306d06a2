#pragma once
// What --stats reports: start-up milliseconds per scene load and in total, and per roster slot
// the frame-time median, 95th percentile and maximum of the frames that slot drew last, and the
// times of its first frames in the order they were drawn (a scene's first frames are where
// software GL and GPU drivers do their first-draw work: a hitch shows there). With --profile,
// also per slot the median milliseconds of every pass the slot's frames ran ("rest" is the
// frame's time outside the timed passes: the scene's own set-up, overlays, the swap), the
// median draw calls and state changes the chain and the kit counted ("chain_draw_calls" are the
// chain's full-screen quads, "material_state_changes" the program and texture binds of the
// content groups, use_material; the scenes' own mesh draws go straight to the GL and are not
// counted) and "pass_means": every pass's mean over all the slot's frames, a frame without it
// counting 0. The means add up where medians do not: what a group that draws in few frames, or
// costs much in some, adds to the slot's average frame.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Memory in KiB and the GL objects made after start-up (see process_memory.h, gl_object_count.h).
struct ResourceUse {
    long resident_after_load_kb = -1;
    long resident_after_first_frame_kb = -1;
    long resident_at_end_kb = -1;
    long peak_resident_kb = -1;
    long gl_objects_created_after_load = -1;
    std::vector<long long> resident_at_written_frames_kb;  // one per written frame, in order
};

struct FrameTimeSummary {
    size_t frames = 0;
    double median_ms = 0;
    double p95_ms = 0;
    double max_ms = 0;
    std::vector<double> first_ms;  // the first first_frames_reported samples, in order
};
inline constexpr std::size_t first_frames_reported = 10;

// Nearest-rank percentiles (p in 0..100) of the samples, their maximum and the first samples as
// given; all zero (and no first samples) for none.
FrameTimeSummary summarise_frame_times(std::vector<double> samples_ms);

class FrameStats {
public:
    static constexpr int kSlots = 4;

    void record_loader_load(double ms) { loader_load_ms_ = ms; }
    void record_scene_load(int slot, double ms) { scene_load_ms_[slot] = ms; }
    void record_startup(double ms) { startup_ms_ = ms; }
    // A frame's time, under the slot that drew last in it (-1: none drew).
    void record_frame(int slot, double ms);
    void record_resources(const ResourceUse& use) { resources_ = use; }

    // One profiled frame of the slot: its passes' milliseconds (nested names contain '/'), the
    // whole frame's and the counts. Frames without a slot are not profiled.
    void record_passes(int slot, double frame_ms, const std::vector<std::pair<std::string, double>>& pass_ms,
                       int draw_calls, int state_changes);

    // The report as a JSON object (one line). Loads that did not happen are null; "resources"
    // appears once they were recorded.
    std::string json() const;

private:
    std::optional<double> loader_load_ms_;
    std::array<std::optional<double>, kSlots> scene_load_ms_{};
    std::optional<double> startup_ms_;
    std::array<std::vector<double>, kSlots> frame_ms_;
    std::vector<double> unattributed_ms_;
    std::optional<ResourceUse> resources_;
    struct Profile {
        std::vector<std::string> order;  // pass names in order of first appearance
        std::map<std::string, std::vector<double>> pass_ms;
        std::vector<double> draw_calls, state_changes;
    };
    std::array<Profile, kSlots> profiles_;
    bool profiled_ = false;
};
