#pragma once
// A music track decoded whole into memory: what the sound outputs play and analyse. Decoding reads
// Ogg Vorbis with libvorbisfile; the file is untrusted, so a damaged stream gives false (or the
// samples decoded up to the damage), never a crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct MusicTrack {
    int rate = 0;                  // samples per second and channel
    int channels = 0;              // 1..max_track_channels
    std::vector<int16_t> samples;  // interleaved, frames() * channels values

    size_t frames() const { return channels > 0 ? samples.size() / channels : 0; }
    // The channels of one frame averaged, -1..1; silence outside the track.
    float mono(uint64_t frame) const;
};

inline constexpr int max_track_channels = 8;
// Decoding stops after this much music: a small hostile file can claim hours of samples, and the
// show needs less than nine minutes.
inline constexpr int max_track_seconds = 20 * 60;

// Decodes an Ogg Vorbis stream held in memory (at most max_track_seconds of it). False when it is
// not a readable Vorbis stream or decodes to no samples.
bool decode_ogg_vorbis(std::string_view bytes, MusicTrack& track);
// The same for a file; false also when the file cannot be read.
bool load_ogg_vorbis_file(const std::string& path, MusicTrack& track);
