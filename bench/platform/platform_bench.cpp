// The sound layer's per-frame work: the show asks for the spectrum once a frame.
#include <benchmark/benchmark.h>

#include <cmath>

#include "platform/music_track.h"
#include "platform/spectrum.h"

namespace {

MusicTrack ten_seconds_of_chords() {
    MusicTrack track;
    track.rate = 44100;
    track.channels = 2;
    const int frames = 10 * track.rate;
    track.samples.resize(static_cast<size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / track.rate;
        const double v = 0.3 * std::sin(2 * M_PI * 220 * t) + 0.2 * std::sin(2 * M_PI * 277 * t) +
                         0.1 * std::sin(2 * M_PI * 3300 * t);
        track.samples[2 * i] = track.samples[2 * i + 1] = static_cast<int16_t>(v * 32767);
    }
    return track;
}

void spectrum_of_track(benchmark::State& state) {
    const MusicTrack track = ten_seconds_of_chords();
    SpectrumAnalyser analyser;
    float bands[spectrum_bands];
    uint64_t position = 0;
    for (auto _ : state) {
        analyser.analyse_track(track, position, 1.0f, bands);
        benchmark::DoNotOptimize(bands);
        position = (position + 735) % track.frames();  // one 60 Hz frame of music
    }
}
BENCHMARK(spectrum_of_track);

void spectrum_of_samples(benchmark::State& state) {
    float samples[spectrum_window];
    for (int i = 0; i < spectrum_window; ++i) samples[i] = static_cast<float>(std::sin(i * 0.3));
    SpectrumAnalyser analyser;
    float bands[spectrum_bands];
    for (auto _ : state) {
        analyser.analyse(samples, bands);
        benchmark::DoNotOptimize(bands);
    }
}
BENCHMARK(spectrum_of_samples);

}  // namespace

BENCHMARK_MAIN();
