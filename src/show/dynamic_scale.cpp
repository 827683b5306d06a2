#include "show/dynamic_scale.h"

#include <algorithm>
#include <cmath>

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
    // The first full window after a change measures the step between the two levels; a change
    // over several levels is shared out evenly among them.
    if (s.level_before >= 0 && s.recent.size() == window) {
        const double now = median(s.recent);
        const bool went_down = s.level > s.level_before;
        const double larger = went_down ? s.median_before : now, smaller = went_down ? now : s.median_before;
        if (smaller > 0) {
            const int top = std::min(s.level, s.level_before), bottom = std::max(s.level, s.level_before);
            // A larger picture never costs less; a lighter stretch of the scene may make it seem so.
            const double each = std::pow(std::max(1.0, larger / smaller), 1.0 / (bottom - top));
            for (int level = top + 1; level <= bottom; ++level) s.growth[level] = each;
        }
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
    if (now > budget_ms_ * too_slow && slot.level + 1 < static_cast<int>(scales.size()))
        return slot.level + 1;
    // Up as many steps as fit with room to spare, so that a scene far under its budget need not
    // wait for an unseen frame a step. A step not yet measured goes on the estimate's guess only
    // as the first; further ones must fit even if all of their cost grew with the pixels, so
    // that a wrong guess costs one step too many, not several.
    int level = slot.level;
    for (double cost = now; level > 0; --level) {
        const double ratio = scales[level - 1] / scales[level];
        const double growth = slot.growth[level] > 0 ? slot.growth[level]
                              : level == slot.level  ? guessed_growth(level)
                                                     : ratio * ratio;
        if (cost * growth >= budget_ms_ * room) break;
        cost *= growth;
    }
    return level;
}

double DynamicScale::scale_for(int slot, bool unseen) {
    if (slot < 0 || slot >= static_cast<int>(slots_.size())) return scales[0];
    Slot& s = slots_[slot];
    const int level = wanted(s);
    const bool taking_back = s.guessed_up && level > s.level;
    if (level != s.level && (unseen || s.frames >= unseen_wait || taking_back)) {
        s.guessed_up = false;
        for (int crossed = level + 1; crossed <= s.level; ++crossed) s.guessed_up |= s.growth[crossed] == 0;
        s.level_before = s.level;
        s.median_before = median(s.recent);
        s.level = level;
        s.frames = 0;
        s.recent.clear();
    }
    return scales[s.level];
}
