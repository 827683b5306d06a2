#include "scenes/opening/opening_timeline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/easing.h"

namespace opening {
namespace {

double ease2(double x) { return ease_cos(x, 2.0); }

// A sine hump over x in [0, 1], gained by k and clipped to 0..1.
double pulse(double k, double x) {
    return std::clamp(k * std::sin(std::numbers::pi * std::clamp(x, 0.0, 1.0)), 0.0, 1.0);
}

}  // namespace

bool runs_background_prepass(double s) { return s <= sea_end && !(s > dive_from && s < dive_to); }
bool runs_depth_prepass(double s) { return s > world_change; }
bool runs_highlight_passes(double s) { return s < shafts_end; }
bool uses_late_programs(double s) { return s > world_change; }

double projector_fov(double s) { return 65.0 + 5.0 * ease2(0.3 * (s - 73.0)); }

double scene_fov(double s) {
    if (s > world_change) return 55.0;
    return 65.0 + ease2(std::clamp(0.2 * (s - 40.0), 0.0, 1.0) - std::clamp(0.2 * (s - 46.0), 0.0, 1.0));
}

double scene_far(double s) { return s > world_change ? 550.0 : 4200.0; }

std::array<float, 4> clear_colour(double s) {
    if (s > daylight_from) return {0.12f, 0.37f, 0.56f, 1.0f};
    return {0.0f, 0.0f, 0.0f, 1.0f};
}

double composite_limit(double s, double camera_z) {
    return 1.0 - ease2(1.5 * (s - 12.5)) + ease2(1.5 * (s - 15.0)) - ease2(0.7 * (s - 22.0)) +
           ease2(0.5 * (s - 27.5)) - ease2(0.5 * (s - 36.0 + camera_z));
}

double composite_flo(double s) {
    return ease2(0.4 * (s - 6.0)) - ease2(0.3 * (s - 18.5)) + ease2(1.3 * (s - 20.0)) -
           0.8 * ease2(0.8 * (s - 30.5)) + 0.8 * ease2(s - 35.5) - 0.8 * ease2(s - 50.5) -
           ease2(2.0 * (s - 54.5));
}

std::array<float, 3> composite_motion_blur(double s) {
    const double x = 0.01 * (3.06 * pulse(1.15, 0.28 * (s - 72.1)) + 2.8 * pulse(1.8, 0.24 * (s - 106.9)));
    const double y = 0.01 * 5.7 * pulse(1.22, 0.7 * (s - 100.5));
    return {static_cast<float>(x), static_cast<float>(y), 0.0f};
}

double fade_level(double s) { return 1.0 - ease_cos(1.0 - std::clamp(0.35 * (s - 116.0), 0.0, 1.0), 1.0); }

ComposeUniforms compose_uniforms(double s, double camera_y, double camera_z) {
    ComposeUniforms u;
    u.mode = opening_grading;
    u.ttime = static_cast<float>(s);
    u.pos_y = static_cast<float>(std::clamp(camera_y, 0.0, 1.0));
    u.limit = static_cast<float>(composite_limit(s, camera_z));
    u.flo = static_cast<float>(composite_flo(s));
    const auto blur = composite_motion_blur(s);
    std::copy(blur.begin(), blur.end(), u.motion_blur);
    u.fade = static_cast<float>(fade_level(s));
    u.shafts = runs_highlight_passes(s);
    return u;
}

}  // namespace opening
