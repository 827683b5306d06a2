#include "show/dynamic_scale.h"

#include <algorithm>

DynamicScale::DynamicScale(double budget_ms, double start) : budget_ms_(budget_ms) {
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
}

int DynamicScale::wanted(const Slot& slot) const {
    if (slot.recent.size() < window || slot.frames < rest) return slot.level;
    std::vector<double> sorted = slot.recent;
    std::nth_element(sorted.begin(), sorted.begin() + window / 2, sorted.end());
    const double median = sorted[window / 2];
    if (median > budget_ms_ * too_slow && slot.level + 1 < static_cast<int>(scales.size()))
        return slot.level + 1;
    if (slot.level > 0) {
        const double ratio = scales[slot.level - 1] / scales[slot.level];
        if (median * ratio * ratio < budget_ms_ * room) return slot.level - 1;
    }
    return slot.level;
}

double DynamicScale::scale_for(int slot, bool unseen) {
    if (slot < 0 || slot >= static_cast<int>(slots_.size())) return scales[0];
    Slot& s = slots_[slot];
    const int level = wanted(s);
    if (level != s.level && (unseen || s.frames >= unseen_wait)) {
        s.level = level;
        s.frames = 0;
        s.recent.clear();
    }
    return scales[s.level];
}
