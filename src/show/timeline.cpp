#include "show/timeline.h"

#include <algorithm>
#include <cmath>

int scene_slot_at(double t) {
    for (const SceneWindow& w : scene_windows)
        if (in_window(w, t)) return w.slot;
    return -1;
}

FlashState flash_at(double t) {
    FlashState s;
    for (const OverlayCue& cue : overlay_cues) {
        if (t > cue.start && t < cue.end) {
            s.flash = true;
            s.overlay = cue.overlay;
            s.black_band = cue.black_band;
        }
    }
    for (const FlashWindow& w : kFlashWindows)
        if (t > w.start && t < w.end) s.flash = true;
    return s;
}

int music_fade_volume(double show_time) {
    const double d = std::clamp((show_time - 495.0) * 0.1, 0.0, 1.0);
    return static_cast<int>(255.0 - 254.0 * d);
}

QuitFade quit_fade(double show_time, double quit_time) {
    const double e = show_time - quit_time;
    QuitFade q;
    q.alpha = std::clamp(quit_fade_rate * e, 0.0, 1.0);
    q.fade_param = 1.0 - std::clamp(5.0 * quit_fade_rate * e, 0.0, 1.0);
    q.music_volume = static_cast<int>(255.0 - 255.0 * q.alpha);
    q.complete = static_cast<float>(q.alpha) > 0.999f;
    return q;
}

uint32_t frame_seed(double show_time) {
    // Reduce modulo 2^32 in floating point first so any show time converts without overflow;
    // for the show's range this is exactly the low 32 bits of the truncated product.
    if (!std::isfinite(show_time)) return 0;
    const double product = std::trunc(show_time * 1e6);
    const double wrapped = std::fmod(product, 4294967296.0);
    return static_cast<uint32_t>(static_cast<int64_t>(wrapped));
}
