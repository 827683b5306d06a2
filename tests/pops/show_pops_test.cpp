// The pop check over the show: stretches of every scene captured at 10 frames a second and
// searched for parts of the picture that jump in one frame and stay (pop_detector.h). A jump the
// show makes on purpose is no pop: a scene change, a jump of a scene clock, a flash or overlay
// (captured_stretch.h), or a cut the scene's description makes (a section that starts from black
// or white, a shot that takes over at once, an element whose window starts or ends while it is in
// view). Every jump must be in the list below; the test fails on any jump that is not, and on any
// pop awaiting a mend that a captured stretch no longer shows (mended: take it off the list).
//
// The stretches lie around the known pops and sample each scene; capture reaches each one by
// advancing the show without drawing. BRINEFALL_POPS=whole captures the whole show in one run
// and searches it everywhere (the list covers the stretches, so jumps elsewhere show as new ones).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/pops/captured_stretch.h"
#include "tests/pops/pop_detector.h"

namespace fs = std::filesystem;

namespace {

constexpr int fps = 10;
constexpr const char* size = "160x90";

struct Stretch {
    double from, to;  // show time
    const char* what;
};

constexpr Stretch stretches[] = {
    {36, 56, "the opening: the jump to the stage and the stage"},
    {84, 97, "the toys: the first shots"},
    {150, 162, "the toys: the traffic and the turn to the tank"},
    {206, 219, "the toys: the bridge and the toys"},
    {300, 327, "the middle scene: the rope"},
    {328, 340, "the middle scene: the city's end and the shot at 51"},
    {397, 408, "the final scene: the wall"},
    {428, 438, "the final scene: the walkers and the house"},
    {454, 463, "the final scene: the diver and the first credits"},
};

enum class Kind {
    described,      // the scene's description makes this jump: allowed, and not required
    awaiting_mend,  // a pop to mend: required while it is there, so the list stays honest
};

// A jump by scene (roster slot 0 opening, 1 toys, 2 middle, 3 final) and scene clock, with what
// jumps. Show times are those of a capture at 10 frames a second.
struct KnownJump {
    int slot;
    double clock;
    const char* what;
    Kind kind;
};

const KnownJump known_jumps[] = {
    // The toys scene.
    {1, 3.0, "the section from 3 starts from black", Kind::described},
    {1, 7.0, "the section from 7 starts from black", Kind::described},
    {1, 9.0, "the first car comes in at the left edge", Kind::described},
    {1, 103.0, "the sky turns black", Kind::described},
    {1, 107.5, "the toys' section starts bright", Kind::described},

    // The middle scene.
    {2, 14.0, "the early file of ants leaves", Kind::described},
    {2, 22.5, "the single rope comes in", Kind::described},
    {2, 40.0, "the single rope and the moon at its end go", Kind::described},
    {2, 50.95, "a new shot takes over", Kind::described},
    {2, 51.8, "the blur steps down and the glow comes on", Kind::described},

    // The final scene.
    {3, 121.3, "the mosaic face's dark imprint goes, at the bottom of the picture", Kind::described},
    {3, 124.0, "the year's lettering comes in under the title", Kind::described},
};

const KnownJump* known_at(int slot, double clock_before, double clock_after) {
    for (const KnownJump& j : known_jumps)
        if (j.slot == slot && j.clock > clock_before - 0.06 && j.clock <= clock_after + 0.06) return &j;
    return nullptr;
}

struct Finding {
    CapturedFrame before, after;
    Pop pop;
};

// The pops among `frames` (a captured stretch) outside the show's own cuts.
std::vector<Finding> pops_in(const std::vector<CapturedFrame>& frames,
                             const std::vector<GreyPicture>& pictures) {
    std::vector<Finding> found;
    for (const Pop& pop : find_pops(pictures)) {
        const std::size_t k = static_cast<std::size_t>(pop.step);
        if (!own_cut(frames, k)) found.push_back({frames[k], frames[k + 1], pop});
    }
    return found;
}

std::string describe(const Finding& f) {
    char text[240];
    std::snprintf(text, sizeof text,
                  "show time %.2f -> %.2f (scene %d, clock %.3f -> %.3f): %s over %.1f %% of the picture at "
                  "(%d, %d)-(%d, "
                  "%d) of %s",
                  f.before.show_time, f.after.show_time, f.after.slot, f.before.clock, f.after.clock,
                  f.pop.cut ? "a cut" : "a jump", 100 * f.pop.area, f.pop.left, f.pop.top, f.pop.right,
                  f.pop.bottom, size);
    return text;
}

// The stretches this run checks, and the capture runs that cover them.
std::vector<Stretch> chosen_stretches() {
    const char* scope = std::getenv("BRINEFALL_POPS");
    const std::string mode = scope ? scope : "";
    if (mode == "whole") return {{0, 506, "the whole show"}};
    return {std::begin(stretches), std::end(stretches)};
}

TEST(ShowPops, NothingVanishesOrAppearsInOneFrameBesidesTheKnownJumps) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run the tests under xvfb-run";
    const std::vector<Stretch> chosen = chosen_stretches();
    const fs::path folder = fs::temp_directory_path() / ("show_pops_" + std::to_string(::getpid()));
    std::vector<bool> seen(std::size(known_jumps), false);
    struct Covered {
        int slot;
        double from, to;
    };
    std::vector<Covered> covered;
    for (const Stretch& run : chosen) {
        std::string error;
        ASSERT_TRUE(capture_stretch(BRINEFALL_CAPTURE, BRINEFALL_SHOW_DIR, run.from, run.to, fps, size,
                                    folder.string(), error))
            << error;
        const std::vector<CapturedFrame> all = read_frames(folder.string());
        for (const Stretch& s : chosen) {
            if (s.from < run.from || s.to > run.to) continue;
            std::vector<CapturedFrame> frames;
            for (const CapturedFrame& f : all)
                if (f.show_time >= s.from && f.show_time <= s.to) frames.push_back(f);
            const std::vector<GreyPicture> pictures = read_pictures(folder.string(), frames);
            ASSERT_GT(frames.size(), 20u) << "no frames of " << s.what << " in " << folder;
            ASSERT_EQ(pictures.size(), frames.size())
                << "unreadable frames of " << s.what << " in " << folder;
            for (std::size_t i = 0; i + 1 < frames.size(); ++i)
                if (frames[i].slot == frames[i + 1].slot)
                    covered.push_back({frames[i].slot, frames[i].clock, frames[i + 1].clock});
            for (const Finding& f : pops_in(frames, pictures)) {
                const KnownJump* known = known_at(f.after.slot, f.before.clock, f.after.clock);
                if (!known) {
                    ADD_FAILURE() << "a pop in " << s.what << ", " << describe(f);
                    continue;
                }
                seen[known - known_jumps] = true;
                std::printf("%s: %s; %s\n",
                            known->kind == Kind::described ? "described" : "pop awaiting a mend", known->what,
                            describe(f).c_str());
            }
        }
    }
    for (std::size_t i = 0; i < std::size(known_jumps); ++i) {
        const KnownJump& j = known_jumps[i];
        if (seen[i] || j.kind == Kind::described) continue;
        const bool captured = std::any_of(covered.begin(), covered.end(), [&](const Covered& c) {
            return c.slot == j.slot && c.from < j.clock && j.clock <= c.to;
        });
        if (captured)
            ADD_FAILURE() << "the pop \"" << j.what << "\" (scene " << j.slot << ", clock " << j.clock
                          << ") no longer shows: if it was mended, take it off the list";
    }
    if (!HasFailure()) fs::remove_all(folder);
}

}  // namespace
