#pragma once
// The music spectrum handed to the scenes: 512 bands from 0 Hz up to just below half the sample
// rate (band k is centred on k * rate / 1024), each 0..1. It is a 1024-point real FFT (KissFFT)
// of the most recent 1024 mono samples under a Hann window. Magnitudes are scaled so that a
// full-scale sine centred on a band reads 1 there; louder mixtures are clamped to 1.
#include <cstdint>

struct MusicTrack;

inline constexpr int kSpectrumBands = 512;
inline constexpr int kSpectrumWindow = 2 * kSpectrumBands;

class SpectrumAnalyser {
public:
    SpectrumAnalyser();
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser&) = delete;
    SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

    // Spectrum of kSpectrumWindow samples (-1..1, oldest first) into bands[kSpectrumBands].
    void analyse(const float* samples, float* bands);

    // Spectrum of what the track plays just before frame `position` (the kSpectrumWindow mono
    // frames ending there; silence before its start and after its end), scaled by gain (0..1).
    void analyse_track(const MusicTrack& track, uint64_t position, float gain, float* bands);

private:
    void* fft_;  // kiss_fftr_cfg
    float window_[kSpectrumWindow];
};
