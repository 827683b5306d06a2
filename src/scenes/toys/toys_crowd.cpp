#include "scenes/toys/toys_crowd.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "scenes/kit/figures.h"
#include "scenes/toys/toys_windows.h"

namespace toys {

namespace {
constexpr double walk_stops = 8.4;
constexpr double clip_rate = 10.5;    // frames per clock second, as the walk was authored
constexpr double clip_lead = 1000.0;  // keeps the frame number well clear of the rest frame
constexpr float walk_speed = 1.1f;    // units per clock second, matching the stride
}  // namespace

float crowd_walk(double t) { return walk_speed * static_cast<float>(walk_stops - std::min(t, walk_stops)); }

std::array<CrowdFigure, crowd_size> place_crowd(double t) {
    std::array<CrowdFigure, crowd_size> crowd{};
    const float walked = crowd_walk(t);
    for (int i = 0; i < crowd_size; ++i) {
        CrowdFigure& f = crowd[i];
        f.x = static_cast<float>(26.0 * random_unit() - 11.6) + crowd_x;
        f.z = static_cast<float>(37.0 * random_unit() - 43.17) + walked;
        f.y = -figure_drop;
        const double pace = 0.1 * random_unit() + 1.0;
        f.motion_time = clip_frame(pace * (std::min(t, walk_stops) + clip_lead) * clip_rate);
        if (i != 5 && i != 8) {
            f.y -= 3.2f;
            f.z -= 2.4f;
        }
    }
    return crowd;
}

bool crowd_in_pass(double t, LitPass pass) { return !(pass == LitPass::light && t > crowd_light_until); }

bool figure_drawn(int figure, double t, LitPass pass) {
    const bool front = figure == 5 || figure == 8;
    return (front ? crowd_front_window : crowd_back_window).drawn(pass, t);
}

}  // namespace toys
