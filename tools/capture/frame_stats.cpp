#include "tools/capture/frame_stats.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

#include "tools/inspect/json.h"

namespace {

double nearest_rank(const std::vector<double>& sorted, double percent) {
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(sorted.size()));
    const size_t index = static_cast<size_t>(std::max(rank, 1.0)) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

std::string optional_number(const std::optional<double>& value) {
    return value ? JsonLine::number(*value) : "null";
}

std::string summary_json(const FrameTimeSummary& s) {
    return JsonLine()
        .field("frames", static_cast<long long>(s.frames))
        .field("median_ms", s.median_ms)
        .field("p95_ms", s.p95_ms)
        .field("max_ms", s.max_ms)
        .field("first_ms", std::span<const double>(s.first_ms))
        .str();
}

}  // namespace

FrameTimeSummary summarise_frame_times(std::vector<double> samples_ms) {
    FrameTimeSummary s;
    s.frames = samples_ms.size();
    if (samples_ms.empty()) return s;
    s.first_ms.assign(samples_ms.begin(),
                      samples_ms.begin() + std::min(samples_ms.size(), first_frames_reported));
    std::sort(samples_ms.begin(), samples_ms.end());
    s.median_ms = nearest_rank(samples_ms, 50);
    s.p95_ms = nearest_rank(samples_ms, 95);
    s.max_ms = samples_ms.back();
    return s;
}

void FrameStats::record_frame(int slot, double ms) {
    if (slot >= 0 && slot < kSlots)
        frame_ms_[slot].push_back(ms);
    else
        unattributed_ms_.push_back(ms);
}

void FrameStats::record_passes(int slot, double frame_ms,
                               const std::vector<std::pair<std::string, double>>& pass_ms, int draw_calls,
                               int state_changes) {
    profiled_ = true;
    if (slot < 0 || slot >= kSlots) return;
    Profile& p = profiles_[slot];
    double timed = 0;
    const auto add = [&p](const std::string& name, double ms) {
        auto [it, fresh] = p.pass_ms.try_emplace(name);
        if (fresh) p.order.push_back(name);
        it->second.push_back(ms);
    };
    for (const auto& [name, ms] : pass_ms) {
        add(name, ms);
        if (name.find('/') == std::string::npos) timed += ms;
    }
    add("rest", std::max(frame_ms - timed, 0.0));
    p.draw_calls.push_back(draw_calls);
    p.state_changes.push_back(state_changes);
}

std::string FrameStats::json() const {
    std::string loads = "[";
    std::string frames = "[";
    for (int slot = 0; slot < kSlots; ++slot) {
        if (slot) {
            loads += ",";
            frames += ",";
        }
        loads += optional_number(scene_load_ms_[slot]);
        frames += summary_json(summarise_frame_times(frame_ms_[slot]));
    }
    loads += "]";
    frames += "]";
    const std::string startup = "{\"loader_ms\":" + optional_number(loader_load_ms_) +
                                ",\"scene_load_ms\":" + loads +
                                ",\"total_ms\":" + optional_number(startup_ms_) + "}";
    JsonLine report;
    report.raw("startup", startup)
        .raw("scene_frames", frames)
        .raw("no_scene_frames", summary_json(summarise_frame_times(unattributed_ms_)));
    if (resources_)
        report.raw(
            "resources",
            JsonLine()
                .field("resident_after_load_kb", static_cast<long long>(resources_->resident_after_load_kb))
                .field("resident_after_first_frame_kb",
                       static_cast<long long>(resources_->resident_after_first_frame_kb))
                .field("resident_at_end_kb", static_cast<long long>(resources_->resident_at_end_kb))
                .field("peak_resident_kb", static_cast<long long>(resources_->peak_resident_kb))
                .field("gl_objects_created_after_load",
                       static_cast<long long>(resources_->gl_objects_created_after_load))
                .field("resident_at_written_frames_kb",
                       std::span<const long long>(resources_->resident_at_written_frames_kb))
                .str());
    if (profiled_) {
        // Per slot: {"passes": {"name": median ms, ...} in the order the passes ran, ...,
        // "pass_means": {"name": mean ms, ...}}.
        std::string slots = "[";
        for (int slot = 0; slot < kSlots; ++slot) {
            const Profile& p = profiles_[slot];
            const double frames = static_cast<double>(p.draw_calls.size());  // one per profiled frame
            JsonLine passes, means;
            for (const std::string& name : p.order) {
                const std::vector<double>& ms = p.pass_ms.at(name);
                passes.field(name, summarise_frame_times(ms).median_ms);
                means.field(name, std::accumulate(ms.begin(), ms.end(), 0.0) / frames);
            }
            if (slot) slots += ",";
            slots += JsonLine()
                         .raw("passes", passes.str())
                         .field("chain_draw_calls", summarise_frame_times(p.draw_calls).median_ms)
                         .field("material_state_changes", summarise_frame_times(p.state_changes).median_ms)
                         .raw("pass_means", means.str())
                         .str();
        }
        report.raw("profile", slots + "]");
    }
    return report.str();
}
