#include "platform/spectrum.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/music_track.h"

namespace {

kiss_fftr_cfg config(void* fft) { return static_cast<kiss_fftr_cfg>(fft); }

}  // namespace

SpectrumAnalyser::SpectrumAnalyser() : fft_(kiss_fftr_alloc(spectrum_window, 0, nullptr, nullptr)) {
    for (int i = 0; i < spectrum_window; ++i)
        window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / spectrum_window));
}

SpectrumAnalyser::~SpectrumAnalyser() { kiss_fftr_free(config(fft_)); }

void SpectrumAnalyser::analyse(const float* samples, float* bands) {
    float windowed[spectrum_window];
    for (int i = 0; i < spectrum_window; ++i) windowed[i] = samples[i] * window_[i];
    kiss_fft_cpx bins[spectrum_bands + 1];
    kiss_fftr(config(fft_), windowed, bins);
    // A sine of amplitude A centred on a band gives |X| = A * sum(window) / 2, and the Hann
    // window sums to half its length.
    constexpr float kScale = 4.0f / spectrum_window;
    for (int k = 0; k < spectrum_bands; ++k)
        bands[k] = std::min(1.0f, std::hypot(bins[k].r, bins[k].i) * kScale);
}

void SpectrumAnalyser::analyse_track(const MusicTrack& track, uint64_t position, float gain, float* bands) {
    float samples[spectrum_window];
    for (int i = 0; i < spectrum_window; ++i) {
        const uint64_t back = spectrum_window - i;
        samples[i] = position >= back ? gain * track.mono(position - back) : 0.0f;
    }
    analyse(samples, bands);
}
