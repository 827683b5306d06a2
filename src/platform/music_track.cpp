#include "platform/music_track.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "core/file_io.h"

namespace {

// libvorbisfile reads through these callbacks from a byte range in memory.
struct MemoryStream {
    std::string_view bytes;
    size_t offset = 0;
};

size_t read_memory(void* destination, size_t size, size_t count, void* source) {
    auto* stream = static_cast<MemoryStream*>(source);
    if (size == 0) return 0;
    const size_t available = (stream->bytes.size() - stream->offset) / size;
    const size_t items = std::min(count, available);
    std::memcpy(destination, stream->bytes.data() + stream->offset, items * size);
    stream->offset += items * size;
    return items;
}

}  // namespace

float MusicTrack::mono(uint64_t frame) const {
    if (frame >= frames()) return 0.0f;
    const int16_t* first = samples.data() + frame * channels;
    int sum = 0;
    for (int c = 0; c < channels; ++c) sum += first[c];
    return static_cast<float>(sum) / (32768.0f * channels);
}

bool decode_ogg_vorbis(std::string_view bytes, MusicTrack& track) {
    track = {};
    MemoryStream stream{bytes};
    // Read as a stream, without seeking: the track is decoded front to back anyway, and
    // libvorbisfile's scan of a seekable file for its chained links leaks memory on damaged
    // files.
    const ov_callbacks callbacks{read_memory, nullptr, nullptr, nullptr};
    OggVorbis_File file;
    if (ov_open_callbacks(&stream, &file, nullptr, 0, callbacks) != 0) return false;

    const vorbis_info* info = ov_info(&file, -1);
    bool ok = info && info->channels >= 1 && info->channels <= max_track_channels && info->rate > 0 &&
              info->rate <= 192000;
    if (ok) {
        track.rate = static_cast<int>(info->rate);
        track.channels = info->channels;
        const size_t most_values = static_cast<size_t>(track.rate) * max_track_seconds * track.channels;
        char buffer[16384];
        int section = 0;
        while (track.samples.size() < most_values) {
            const long got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section);
            if (got == OV_HOLE) continue;  // a gap in the stream: keep what follows
            if (got <= 0) break;           // end, or damage we cannot decode past
            // A chained stream may change its layout; only the first section's layout is kept.
            const vorbis_info* now = ov_info(&file, section);
            if (!now || now->channels != track.channels) break;
            const auto* values = reinterpret_cast<const int16_t*>(buffer);
            track.samples.insert(track.samples.end(), values, values + got / 2);
        }
        track.samples.resize(std::min(track.samples.size(), most_values));
        track.samples.resize(track.frames() * track.channels);
        ok = track.frames() > 0;
    }
    ov_clear(&file);
    if (!ok) track = {};
    return ok;
}

bool load_ogg_vorbis_file(const std::string& path, MusicTrack& track) {
    const std::optional<std::string> bytes = read_file(path);
    if (!bytes) {
        track = {};
        return false;
    }
    return decode_ogg_vorbis(*bytes, track);
}
