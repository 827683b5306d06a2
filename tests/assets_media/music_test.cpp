// The music as the show will play it, decoded with vorbisfile: its format and length, its
// sections, and an onset at every accented cue.
#include "tools/assets/media/score.h"
#include "tools/assets/media/vorbis_writer.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

struct MemoryFile {
    const std::string* bytes;
    size_t at = 0;
};

size_t read_memory(void* to, size_t size, size_t count, void* source) {
    auto* f = static_cast<MemoryFile*>(source);
    const size_t n = std::min(size * count, f->bytes->size() - f->at);
    std::memcpy(to, f->bytes->data() + f->at, n);
    f->at += n;
    return size ? n / size : 0;
}

int seek_memory(void* source, ogg_int64_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(source);
    const long long base = whence == SEEK_SET   ? 0
                           : whence == SEEK_CUR ? static_cast<long long>(f->at)
                                                : static_cast<long long>(f->bytes->size());
    const long long to = base + offset;
    if (to < 0 || to > static_cast<long long>(f->bytes->size())) return -1;
    f->at = static_cast<size_t>(to);
    return 0;
}

long tell_memory(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->at); }

struct DecodedMusic {
    int rate = 0, channels = 0;
    std::vector<float> mono;  // (left + right) / 2
    float peak = 0;
};

DecodedMusic decode(const std::string& bytes) {
    DecodedMusic music;
    MemoryFile file{&bytes};
    OggVorbis_File vf;
    const ov_callbacks callbacks{read_memory, seek_memory, nullptr, tell_memory};
    if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) != 0) return music;
    const vorbis_info* info = ov_info(&vf, -1);
    music.rate = static_cast<int>(info->rate);
    music.channels = info->channels;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0) break;
        for (long i = 0; i < n; ++i) {
            float sum = 0;
            for (int c = 0; c < music.channels; ++c) {
                sum += pcm[c][i];
                music.peak = std::max(music.peak, std::abs(pcm[c][i]));
            }
            music.mono.push_back(sum / static_cast<float>(music.channels));
        }
    }
    ov_clear(&vf);
    return music;
}

// Loudness (RMS, dB full scale) between two times.
double level(const DecodedMusic& music, double from, double to) {
    const size_t a = static_cast<size_t>(from * music.rate), b = static_cast<size_t>(to * music.rate);
    double sum = 0;
    for (size_t i = a; i < b; ++i) sum += music.mono[i] * music.mono[i];
    return 10 * std::log10(sum / static_cast<double>(b - a) + 1e-12);
}

// Onset strength: energy of the first difference (which favours attacks over held tones) in
// hops of `hop` samples, each compared with the hops 6–24 ms before it. In dB.
std::vector<double> onset_strength(const std::vector<float>& mono, size_t hop) {
    std::vector<double> energy(mono.size() / hop, 0.0);
    for (size_t k = 0; k < energy.size(); ++k)
        for (size_t i = std::max<size_t>(k * hop, 1); i < (k + 1) * hop; ++i) {
            const double d = mono[i] - mono[i - 1];
            energy[k] += d * d;
        }
    std::vector<double> strength(energy.size(), 0.0);
    for (size_t k = 12; k + 1 < energy.size(); ++k) {
        double before = 0;
        for (size_t j = k - 12; j < k - 3; ++j) before += energy[j];
        before /= 9;
        strength[k] = 10 * std::log10((energy[k] + energy[k + 1]) / 2 / (before + 1e-12) + 1e-12);
    }
    return strength;
}

// One generation, decoded as the show's sound layer decodes it, checked for everything the show
// relies on. (One test, because each generation takes a while.)
TEST(Music, DecodedTrackFitsTheShow) {
    const std::string bytes = encode_vorbis(synthesise_music());
    ASSERT_FALSE(bytes.empty());
    const DecodedMusic music = decode(bytes);

    // Format and length: the show ends after 506 s; the track outlasts it.
    EXPECT_EQ(music.rate, 44100);
    EXPECT_EQ(music.channels, 2);
    const double seconds = static_cast<double>(music.mono.size()) / music.rate;
    EXPECT_GE(seconds, 510.0);
    EXPECT_LT(seconds, 520.0);
    EXPECT_LT(music.peak, 1.0f);  // no clipping after decoding

    // Sections: the sea starts quietly and the toys groove is clearly louder; every section
    // carries sound; the tail after the show's fade is quiet but not cut off.
    EXPECT_LT(level(music, 2, 20), level(music, 140, 155) - 6);
    for (double t : {30.0, 100.0, 200.0, 300.0, 330.0, 380.0, 430.0, 480.0})
        EXPECT_GT(level(music, t, t + 5), -35.0) << t;
    EXPECT_LT(level(music, 508, 511.5), level(music, 480, 490) - 12);
    EXPECT_LT(level(music, 511, 511.9), -40.0);

    // An onset within 30 ms of every accented cue, well above what an ordinary hop shows.
    const size_t hop = static_cast<size_t>(music.rate / 500);  // 2 ms
    const std::vector<double> strength = onset_strength(music.mono, hop);
    for (const Accent& a : kAccents) {
        const long centre = std::lround(a.time * music.rate / static_cast<double>(hop));
        const long reach = std::lround(0.030 * music.rate / static_cast<double>(hop));
        double best = -100;
        for (long k = centre - reach; k <= centre + reach; ++k)
            best = std::max(best, strength[static_cast<size_t>(k)]);
        EXPECT_GT(best, 10.0) << "no clear onset at " << a.time << " s";
    }
    std::vector<double> sorted = strength;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2), sorted.end());
    EXPECT_LT(sorted[sorted.size() / 2], 3.0);
}

TEST(Music, TheBeatGridFitsTheCuesAt140BeatsPerMinute) {
    for (double cue : {80.0, 85.14, 92.85, 98.0}) {
        const double beats = (cue - grid_origin) / beat_seconds;
        EXPECT_NEAR(beats, std::round(beats), 0.03) << cue;
    }
}

TEST(Music, VoicesRenderTheSameOnTwoWorkersAndEncodeTheSameBytes) {
    // A stretch of the score rendered twice: the two workers split it in the middle, and notes
    // straddling the split are rendered afterwards; the samples must not depend on that.
    std::vector<Note> notes;
    for (const Note& n : compose_score())
        if (n.start >= 100 && n.start < 140)
            notes.push_back(Note{n.start - 100, n.length, n.instrument, n.pitch, n.velocity, n.pan,
                                 n.delay_send, n.reverb_send});
    ASSERT_GT(notes.size(), 500u);
    const size_t frames = 40 * sample_rate;
    const std::vector<float> ducking(frames, 1.0f);
    const Buses first = render_notes(notes, frames, ducking);
    const Buses second = render_notes(notes, frames, ducking);
    EXPECT_EQ(first.dry.left, second.dry.left);
    EXPECT_EQ(first.dry.right, second.dry.right);
    EXPECT_EQ(first.reverb_send, second.reverb_send);
    // Sound reached both halves.
    const auto energy = [](const std::vector<float>& v, size_t a, size_t b) {
        double e = 0;
        for (size_t i = a; i < b; ++i) e += v[i] * v[i];
        return e;
    };
    EXPECT_GT(energy(first.dry.left, 0, frames / 2), 1.0);
    EXPECT_GT(energy(first.dry.left, frames / 2, frames), 1.0);

    StereoBuffer excerpt = first.dry;
    master(excerpt);
    const std::string bytes = encode_vorbis(excerpt);
    EXPECT_EQ(encode_vorbis(excerpt), bytes);
    const DecodedMusic back = decode(bytes);
    EXPECT_EQ(back.mono.size(), frames);
}

}  // namespace
