#include "tests/pops/pop_detector.h"

#include <algorithm>
#include <cmath>

namespace {

struct Blocks {
    int columns = 0, rows = 0, side = 1;
    int count() const { return columns * rows; }
};

// The mean grey of every block (partial blocks at the right and bottom edges are left out).
// Means, not pixel differences: the film grain of the picture changes every pixel a little every
// frame and averages out over a block, while what vanishes moves the block's mean.
std::vector<double> block_means(const GreyPicture& p, const Blocks& blocks) {
    std::vector<double> means(static_cast<std::size_t>(blocks.count()), 0.0);
    const double pixels = static_cast<double>(blocks.side) * blocks.side;
    for (int row = 0; row < blocks.rows; ++row)
        for (int column = 0; column < blocks.columns; ++column) {
            long sum = 0;
            for (int y = row * blocks.side; y < (row + 1) * blocks.side; ++y) {
                const uint8_t* line = &p.grey[static_cast<std::size_t>(y) * p.width + column * blocks.side];
                for (int x = 0; x < blocks.side; ++x) sum += line[x];
            }
            means[static_cast<std::size_t>(row * blocks.columns + column)] = sum / pixels;
        }
    return means;
}

// The frames as block means, and the steps between them, with the tests a pop is made of.
class Steps {
public:
    Steps(const std::vector<GreyPicture>& frames, const Blocks& blocks, const PopSettings& settings)
        : blocks_(blocks), settings_(settings) {
        for (const GreyPicture& f : frames) means_.push_back(block_means(f, blocks));
        for (std::size_t k = 0; k + 1 < frames.size(); ++k) {
            std::vector<double> step(means_[k].size());
            double sum = 0;
            for (int b = 0; b < blocks.count(); ++b) sum += step[b] = change(k, k + 1, b);
            steps_.push_back(std::move(step));
            picture_step_.push_back(sum / blocks.count());
        }
    }

    std::size_t count() const { return steps_.size(); }

    // Block b jumps at step k and stays: still before (`history` steps) and after (`quiet`).
    bool pops(std::size_t k, int b) const {
        const double d = steps_[k][b];
        return d >= settings_.jump && calm(k, b, d) && change(k, k + 2, b) >= settings_.kept * d;
    }

    // The whole picture jumps at step k, and the steps around change it much less.
    bool cut(std::size_t k) const {
        const double d = picture_step_[k];
        if (d < settings_.cut_jump) return false;
        for (std::size_t q = 1; q <= history(); ++q)
            if (picture_step_[k - q] > settings_.cut_after * d) return false;
        for (std::size_t q = 1; q <= quiet(); ++q)
            if (picture_step_[k + q] > settings_.cut_after * d) return false;
        return true;
    }
    double picture_step(std::size_t k) const { return picture_step_[k]; }
    double step(std::size_t k, int b) const { return steps_[k][b]; }

    // Most blocks around a group must be calm in the steps before and after as well: the edge of
    // a smooth object sliding across the picture clears (or covers) one block after another, each
    // of which looks like a pop on its own, while the blocks on either side of it keep changing.
    bool calm_around(std::size_t k, const std::vector<int>& group, double jump) const {
        std::vector<char> seen(static_cast<std::size_t>(blocks_.count()), 0);
        for (int b : group) seen[b] = 1;
        int around = 0, busy = 0;
        for (int b : group)
            for (int n : neighbours(b)) {
                if (seen[n]) continue;
                seen[n] = 1;
                ++around;
                busy += !calm(k, n, jump);
            }
        return busy <= settings_.busy_around * around;
    }

    // The up to eight blocks that touch block b.
    std::vector<int> neighbours(int b) const {
        std::vector<int> list;
        const int column = b % blocks_.columns, row = b / blocks_.columns;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int c = column + dx, r = row + dy;
                if ((dx || dy) && c >= 0 && r >= 0 && c < blocks_.columns && r < blocks_.rows)
                    list.push_back(r * blocks_.columns + c);
            }
        return list;
    }

    std::size_t history() const { return static_cast<std::size_t>(std::max(settings_.history, 1)); }
    std::size_t quiet() const { return static_cast<std::size_t>(std::max(settings_.quiet, 1)); }

private:
    double change(std::size_t a, std::size_t b, int block) const {
        return std::fabs(means_[b][block] - means_[a][block]);
    }
    // Block b changes little around step k next to a jump of `jump`.
    bool calm(std::size_t k, int b, double jump) const {
        for (std::size_t q = 1; q <= history(); ++q)
            if (steps_[k - q][b] > settings_.before * jump) return false;
        for (std::size_t q = 1; q <= quiet(); ++q)
            if (steps_[k + q][b] > settings_.after * jump) return false;
        return true;
    }

    const Blocks& blocks_;
    const PopSettings& settings_;
    std::vector<std::vector<double>> means_, steps_;  // steps_[k][b]: frame k to k + 1
    std::vector<double> picture_step_;                // the mean block change of each step
};

// The popped blocks that touch `first` (sides or corners), with their bounds and mean jump.
Pop group_of(int first, std::size_t k, const std::vector<char>& popped, std::vector<char>& visited,
             const Steps& steps, const Blocks& blocks, std::vector<int>& members) {
    Pop group;
    group.step = static_cast<int>(k);
    group.left = group.top = 1 << 30;
    members.clear();
    std::vector<int> pending = {first};
    visited[first] = 1;
    while (!pending.empty()) {
        const int b = pending.back();
        pending.pop_back();
        members.push_back(b);
        group.strength += steps.step(k, b);
        const int column = b % blocks.columns, row = b / blocks.columns;
        group.left = std::min(group.left, column * blocks.side);
        group.top = std::min(group.top, row * blocks.side);
        group.right = std::max(group.right, (column + 1) * blocks.side);
        group.bottom = std::max(group.bottom, (row + 1) * blocks.side);
        for (int n : steps.neighbours(b))
            if (popped[n] && !visited[n]) {
                visited[n] = 1;
                pending.push_back(n);
            }
    }
    group.strength /= static_cast<double>(members.size());
    group.area = static_cast<double>(members.size()) / blocks.count();
    return group;
}

}  // namespace

std::vector<Pop> find_pops(const std::vector<GreyPicture>& frames, const PopSettings& settings) {
    Blocks blocks;
    blocks.side = std::max(settings.block, 1);
    blocks.columns = frames.empty() ? 0 : frames[0].width / blocks.side;
    blocks.rows = frames.empty() ? 0 : frames[0].height / blocks.side;
    const std::size_t history = static_cast<std::size_t>(std::max(settings.history, 1)),
                      quiet = static_cast<std::size_t>(std::max(settings.quiet, 1));
    if (frames.size() < history + quiet + 2 || blocks.count() == 0) return {};
    for (const GreyPicture& f : frames)
        if (f.width != frames[0].width || f.height != frames[0].height) return {};

    const Steps steps(frames, blocks, settings);
    std::vector<Pop> pops;
    for (std::size_t k = history; k + quiet < steps.count(); ++k) {
        if (steps.cut(k)) {
            Pop cut;
            cut.step = static_cast<int>(k);
            cut.cut = true;
            cut.area = 1.0;
            cut.strength = steps.picture_step(k);
            cut.right = blocks.columns * blocks.side;
            cut.bottom = blocks.rows * blocks.side;
            pops.push_back(cut);
            continue;
        }
        std::vector<char> popped(static_cast<std::size_t>(blocks.count()), 0), visited(popped.size(), 0);
        for (int b = 0; b < blocks.count(); ++b) popped[b] = steps.pops(k, b);
        // The largest group of popped blocks that touch with calm surroundings: one thing that
        // vanished, not specks scattered over the picture nor the edge of something sliding.
        Pop best;
        std::vector<int> members;
        for (int first = 0; first < blocks.count(); ++first) {
            if (!popped[first] || visited[first]) continue;
            const Pop group = group_of(first, k, popped, visited, steps, blocks, members);
            if (group.area > best.area && steps.calm_around(k, members, group.strength)) best = group;
        }
        const bool spans = best.right - best.left >= settings.min_span * blocks.side &&
                           best.bottom - best.top >= settings.min_span * blocks.side;
        if (best.area > 0 && best.area >= settings.min_area && spans) pops.push_back(best);
    }
    return pops;
}
