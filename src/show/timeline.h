#pragma once
// The show's timeline, in seconds of show time: which scene draws when, the picture overlays and
// flash windows, the music fade, the end of the show and the quit fade. Everything here
// is data and arithmetic; the frame driver walks it.
#include <array>
#include <cstddef>
#include <cstdint>

// A roster slot's time window. The first three are half-open [start, end); the final scene's
// window is open at its start, so at exactly 361.0 s no scene draws.
struct SceneWindow {
    int slot;
    double start;
    bool start_inclusive;
    double end;  // exclusive
};

inline constexpr double no_bound = 1e300;
inline constexpr SceneWindow scene_windows[] = {
    {0, -no_bound, true, 76.8},
    {1, 76.8, true, 289.0},
    {2, 289.0, true, 361.0},
    {3, 361.0, false, no_bound},
};

constexpr bool in_window(const SceneWindow& w, double t) {
    return (w.start_inclusive ? t >= w.start : t > w.start) && t < w.end;
}

// The slot whose window holds t, or -1 (only at exactly 361.0).
int scene_slot_at(double t);

// A picture overlay: texture slot overlay_texture_base + overlay, drawn additively over the frame
// for show times strictly inside (start, end). Every overlay also sets the flash flag.
struct OverlayCue {
    double start, end;
    int overlay;
    bool black_band;  // a black horizontal band is drawn behind the picture first
};

inline constexpr int overlay_texture_base = 11000;
inline constexpr OverlayCue overlay_cues[] = {
    {82.3, 83.9, 0, false},   {204.4, 207.9, 1, true},  {266.1, 267.9, 2, false}, {342.7, 346.5, 3, true},
    {368.5, 369.8, 4, false}, {370.5, 373.4, 4, false}, {452.0, 454.0, 5, false},
};

// Flash-only windows (open intervals): the scenes jump ahead for these frames.
struct FlashWindow {
    double start, end;
};

namespace timeline_detail {
constexpr std::array<FlashWindow, 16> flash_windows() {
    std::array<FlashWindow, 16> w{
        {{99.0, 101.3}, {390.0, 391.3}, {393.0, 394.5}, {395.0, 396.0}, {398.0, 399.0}, {404.0, 404.5}}};
    std::size_t n = 6;
    // Two runs of short beats, computed the way the show always has: start + step * k.
    for (int k = 0; k < 5; ++k) w[n++] = {113.0 + 1.5 * k, 113.1 + 1.5 * k};
    for (int k = 0; k < 5; ++k) w[n++] = {123.0 + 1.4 * k, 123.25 + 1.4 * k};
    return w;
}
}  // namespace timeline_detail
inline constexpr std::array<FlashWindow, 16> kFlashWindows = timeline_detail::flash_windows();

struct FlashState {
    bool flash = false;
    int overlay = -1;  // -1: no overlay this frame
    bool black_band = false;
};

// Tests the overlay cues in table order, then the flash-only windows; a later overlay match
// replaces an earlier one.
FlashState flash_at(double t);

// The end-of-show music fade from 495 s to 505 s, as an all-channel volume: 255 down to 1.
int music_fade_volume(double show_time);

inline constexpr double end_of_show = 506.0;  // the show ends on the first frame past this

// The quit fade after Escape: alpha rises to 1 within 10 µs of show time, so it completes on the
// first frame after the request.
inline constexpr double quit_fade_rate = 100002.5;
struct QuitFade {
    double alpha;       // opacity of the black fade quad
    double fade_param;  // FrameState params[10]: 1 falling to 0
    int music_volume;   // channel volume 255..0
    bool complete;      // alpha > 0.999 in single precision: the show ends this frame
};
QuitFade quit_fade(double show_time, double quit_time);

// The runtime generator's seed for a frame: trunc(show_time * 1e6), low 32 bits.
uint32_t frame_seed(double show_time);
