#include "tests/pops/captured_stretch.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "show/timeline.h"
#include "tests/support/program_run.h"

namespace {

// A flash frame is drawn ahead of the clock and the frame after it catches up; an overlay shows
// and goes. Steps touching a window, one frame either side, are the show's own.
constexpr double flash_margin = 0.11;

bool touches(double start, double end, double from, double to) {
    return to >= start - flash_margin && from <= end + flash_margin;
}

// The scene clock's usual step around `step`: the median of the steps within the same scene.
double usual_clock_step(const std::vector<CapturedFrame>& frames, std::size_t step) {
    std::vector<double> steps;
    const std::size_t first = step >= 10 ? step - 10 : 0, last = std::min(step + 10, frames.size() - 1);
    for (std::size_t k = first; k < last; ++k)
        if (frames[k].slot == frames[step].slot && frames[k + 1].slot == frames[step].slot)
            steps.push_back(frames[k + 1].clock - frames[k].clock);
    if (steps.empty()) return 0;
    std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
    return steps[steps.size() / 2];
}

}  // namespace

bool capture_stretch(const std::string& capture, const std::string& show_dir, double from, double to, int fps,
                     const std::string& size, const std::string& folder, std::string& error) {
    std::filesystem::remove_all(folder);
    char range[96];
    std::snprintf(range, sizeof range, " --fps %d --from %.2f --to %.2f", fps, from, to);
    const ProgramRun run = run_program(capture + " --show-dir '" + show_dir + "' --size " + size + range +
                                       " --out '" + folder + "'");
    if (run.exit_code == 0) return true;
    error = "brinefall-capture exited with " + std::to_string(run.exit_code) + ": " + run.err;
    return false;
}

std::vector<CapturedFrame> read_frames(const std::string& folder) {
    std::istringstream csv(read_whole_file(folder + "/frames.csv"));
    std::vector<CapturedFrame> frames;
    std::string line;
    std::getline(csv, line);  // the header
    while (std::getline(csv, line)) {
        CapturedFrame f;
        if (std::sscanf(line.c_str(), "%d,%lf,%d,%lf", &f.frame, &f.show_time, &f.slot, &f.clock) != 4)
            return {};
        frames.push_back(f);
    }
    return frames;
}

std::vector<GreyPicture> read_pictures(const std::string& folder, const std::vector<CapturedFrame>& frames) {
    std::vector<GreyPicture> pictures;
    for (const CapturedFrame& f : frames) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame_%06d.png", f.frame);
        const cv::Mat grey = cv::imread(folder + name, cv::IMREAD_GRAYSCALE);
        if (grey.empty() || !grey.isContinuous()) return {};
        GreyPicture p;
        p.width = grey.cols;
        p.height = grey.rows;
        p.grey.assign(grey.data, grey.data + grey.total());
        pictures.push_back(std::move(p));
    }
    return pictures;
}

const char* own_cut(const std::vector<CapturedFrame>& frames, std::size_t step) {
    const CapturedFrame &a = frames[step], &b = frames[step + 1];
    if (a.slot != b.slot) return "a scene change";
    const double clock_step = b.clock - a.clock, usual = usual_clock_step(frames, step);
    if (clock_step < 0 || clock_step > 3 * usual + 0.01) return "a jump of the scene clock";
    for (const FlashWindow& w : kFlashWindows)
        if (touches(w.start, w.end, a.show_time, b.show_time)) return "a flash";
    for (const OverlayCue& cue : overlay_cues)
        if (touches(cue.start, cue.end, a.show_time, b.show_time)) return "a picture overlay";
    return nullptr;
}
