#include "show/dynamic_scale.h"

#include <algorithm>

namespace {

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

}  // namespace

DynamicScale::DynamicScale(double budget_ms, double start, double fixed_share)
    : budget_ms_(budget_ms), fixed_share_(std::clamp(fixed_share, 0.0, 1.0)) {
    int level = 0;
    while (level + 1 < static_cast<int>(scales.size()) && scales[level] > start) ++level;
    for (Slot& slot : slots_) slot.level = level;
}

void DynamicScale::record(int slot, double ms) {
    if (slot < 0 || slot >= static_cast<int>(slots_.size())) return;
    Slot& s = slots_[slot];
    ++s.frames;
    s.recent.push_back(ms);
    if (s.recent.size() > window) s.recent.erase(s.recent.begin());
    // The first full window after a change measures the step between the two levels.
    if (s.level_before >= 0 && s.recent.size() == window) {
        const double now = median(s.recent);
        const bool went_down = s.level > s.level_before;
        const double larger = went_down ? s.median_before : now, smaller = went_down ? now : s.median_before;
        // A larger picture never costs less; a lighter stretch of the scene may make it seem so.
        if (smaller > 0) s.growth[std::max(s.level, s.level_before)] = std::max(1.0, larger / smaller);
        s.level_before = -1;
    }
}

double DynamicScale::guessed_growth(int level) const {
    auto cost = [this](double scale) { return fixed_share_ + (1.0 - fixed_share_) * scale * scale; };
    return cost(scales[level - 1]) / cost(scales[level]);
}

int DynamicScale::wanted(const Slot& slot) const {
    if (slot.recent.size() < window || slot.frames < rest) return slot.level;
    const double now = median(slot.recent);
    if (now > budget_ms_ * too_slow && slot.level + 1 < static_cast<int>(scales.size())) return slot.level + 1;
    if (slot.level > 0) {
        const double measured = slot.growth[slot.level];
        if (now * (measured > 0 ? measured : guessed_growth(slot.level)) < budget_ms_ * room)
            return slot.level - 1;
    }
    return slot.level;
}

double DynamicScale::scale_for(int slot, bool unseen) {
    if (slot < 0 || slot >= static_cast<int>(slots_.size())) return scales[0];
    Slot& s = slots_[slot];
    const int level = wanted(s);
    const bool taking_back = s.guessed_up && level > s.level;
    if (level != s.level && (unseen || s.frames >= unseen_wait || taking_back)) {
        s.guessed_up = level < s.level && s.growth[s.level] == 0;
        s.level_before = s.level;
        s.median_before = median(s.recent);
        s.level = level;
        s.frames = 0;
        s.recent.clear();
    }
    return scales[s.level];
}
