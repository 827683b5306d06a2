#pragma once
// The music spectrum handed to the scenes: 512 bands from 0 Hz up to just below half the sample
// rate (band k is centred on k * rate / 1024), each 0..1. It is a 1024-point real FFT (KissFFT)
// of the most recent 1024 mono samples under a Hann window. Magnitudes are scaled so that a
// full-scale sine centred on a band reads 1 there; louder mixtures are clamped to 1.
#include <cstdint>

struct MusicTrack;

inline constexpr int spectrum_bands = 512;
inline constexpr int spectrum_window = 2 * spectrum_bands;

class SpectrumAnalyser {
public:
    SpectrumAnalyser();
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser&) = delete;
    SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

    // Spectrum of spectrum_window samples (-1..1, oldest first) into bands[spectrum_bands].
    void analyse(const float* samples, float* bands);

    // Spectrum of what the track plays just before frame `position` (the spectrum_window mono
    // frames ending there; silence before its start and after its end), scaled by gain (0..1).
    void analyse_track(const MusicTrack& track, uint64_t position, float gain, float* bands);

private:
    void* fft_;  // kiss_fftr_cfg
    float window_[spectrum_window];
};
