#include "scenes/finale/finale_timeline.h"

#include <algorithm>

#include "core/easing.h"
#include "scenes/finale/finale_windows.h"

namespace finale {

std::array<float, 3> clear_colour(double t) {
    const double warm = std::clamp((t - 45.8) * 0.25, 0.0, 1.0);
    const double in = std::clamp((t - 30.0) * 0.25, 0.0, 1.0);
    const double level = in * sky_level(t);
    const double night[3] = {0.0, 0.02, 0.045}, dusk[3] = {0.02, 0.02, 0.01};
    std::array<float, 3> c{};
    for (int i = 0; i < 3; ++i) c[i] = static_cast<float>((night[i] + (dusk[i] - night[i]) * warm) * level);
    return c;
}

double sky_level(double t) { return 1.0 - std::clamp((t - 95.0) * 0.3, 0.0, 1.0); }

double grey_value(double t) { return 0.5 * eased_window(t, 0.1, 0.6); }

double shaft_limit(double t) { return std::clamp((t - 115.7) * 0.15, 0.0, 1.0); }

double set_blur(double t) { return t >= finale::set_blur_from ? 1.0 : 0.0; }

ComposeUniforms compose_uniforms(double t, double adjust_a, float dsp, const float (&streak)[2]) {
    ComposeUniforms u;
    u.the_velocity[0] = streak[0];
    u.the_velocity[1] = streak[1];
    u.mode = final_grading;
    u.ttime = static_cast<float>(t);
    u.limit = static_cast<float>(adjust_a);
    u.dsp = dsp;
    u.set_blur = static_cast<float>(set_blur(t));
    u.fade = static_cast<float>(grey_value(t));
    u.shafts = false;
    u.random = true;
    return u;
}

double field_of_view(double t) {
    return 68.0 - 10.0 * eased_window(t, 48.0, 0.2) + 4.0 * eased_window(t, 64.0, 0.25) -
           14.0 * eased_window(t, 106.0, 0.12);
}

double glow_level(double t, double show_time) {
    return eased_window(t, finale::glow_from, 0.15) * ending_level(show_time);
}

double ending_level(double show_time) {
    return 1.0 - ease_cos((show_time - music_fade_from) / (music_fade_to - music_fade_from), 1.0);
}

}  // namespace finale
