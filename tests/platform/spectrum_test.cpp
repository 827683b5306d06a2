#include "platform/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "platform/music_track.h"

namespace {

constexpr int kRate = 44100;

// A sine whose frequency is exactly band `band`'s centre: a whole number of periods per window.
std::vector<float> band_sine(int band, float amplitude, int length = spectrum_window) {
    std::vector<float> samples(length);
    for (int i = 0; i < length; ++i)
        samples[i] =
            amplitude * static_cast<float>(std::sin(2 * std::numbers::pi * band * i / spectrum_window));
    return samples;
}

}  // namespace

TEST(Spectrum, SineCentredOnABandPeaksThereWithItsAmplitude) {
    SpectrumAnalyser analyser;
    float bands[spectrum_bands];
    analyser.analyse(band_sine(64, 0.5f).data(), bands);
    EXPECT_NEAR(bands[64], 0.5f, 1e-4);
    // The Hann window spreads a centred sine into exactly its two neighbours, at half height.
    EXPECT_NEAR(bands[63], 0.25f, 1e-4);
    EXPECT_NEAR(bands[65], 0.25f, 1e-4);
    for (int k = 0; k < spectrum_bands; ++k) {
        if (k < 63 || k > 65) {
            EXPECT_LT(bands[k], 1e-4) << "band " << k;
        }
    }
}

TEST(Spectrum, FullScaleSineReadsOneAndNothingExceedsOne) {
    SpectrumAnalyser analyser;
    float bands[spectrum_bands];
    analyser.analyse(band_sine(200, 1.0f).data(), bands);
    EXPECT_NEAR(bands[200], 1.0f, 1e-4);

    std::vector<float> loud(spectrum_window);
    for (int i = 0; i < spectrum_window; ++i) loud[i] = (i % 2) ? 1.0f : -1.0f;  // Nyquist square
    for (int i = 0; i < spectrum_window; ++i) loud[i] += band_sine(5, 1.0f)[i];
    analyser.analyse(loud.data(), bands);
    for (int k = 0; k < spectrum_bands; ++k) {
        EXPECT_GE(bands[k], 0.0f);
        EXPECT_LE(bands[k], 1.0f);
    }
}

TEST(Spectrum, TrackAnalysisUsesTheWindowEndingAtThePositionScaledByGain) {
    // A mono track: silence for one window, then a band-100 sine of amplitude 0.8 for one window.
    MusicTrack track;
    track.rate = kRate;
    track.channels = 1;
    track.samples.assign(spectrum_window, 0);
    for (float v : band_sine(100, 0.8f)) track.samples.push_back(static_cast<int16_t>(v * 32767));

    SpectrumAnalyser analyser;
    float bands[spectrum_bands];
    analyser.analyse_track(track, spectrum_window, 1.0f, bands);
    for (int k = 0; k < spectrum_bands; ++k) EXPECT_EQ(bands[k], 0.0f) << "silence, band " << k;

    analyser.analyse_track(track, 2 * spectrum_window, 1.0f, bands);
    EXPECT_NEAR(bands[100], 0.8f, 1e-3);
    analyser.analyse_track(track, 2 * spectrum_window, 0.5f, bands);
    EXPECT_NEAR(bands[100], 0.4f, 1e-3);

    // Before the start and long after the end there is only silence, and no out-of-range read.
    analyser.analyse_track(track, 10, 1.0f, bands);
    EXPECT_LT(bands[100], 1e-3);
    analyser.analyse_track(track, 1u << 31, 1.0f, bands);
    for (int k = 0; k < spectrum_bands; ++k) EXPECT_EQ(bands[k], 0.0f);
}

TEST(Spectrum, StereoFramesAreAveraged) {
    MusicTrack track;
    track.rate = kRate;
    track.channels = 2;
    track.samples = {16384, -16384, 16384, 0};
    EXPECT_FLOAT_EQ(track.mono(0), 0.0f);
    EXPECT_FLOAT_EQ(track.mono(1), 0.25f);
    EXPECT_FLOAT_EQ(track.mono(2), 0.0f);
    EXPECT_EQ(track.frames(), 2u);
}
