// The music file is read whole and decoded; any byte string must give a track or false.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/music_track.h"
#include "platform/spectrum.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MusicTrack track;
    if (decode_ogg_vorbis(std::string_view(reinterpret_cast<const char*>(data), size), track)) {
        // Whatever decoded must be analysable at its start, middle and end.
        static SpectrumAnalyser analyser;
        float bands[spectrum_bands];
        for (uint64_t position : {uint64_t{0}, uint64_t{track.frames() / 2}, uint64_t{track.frames()}})
            analyser.analyse_track(track, position, 1.0f, bands);
    }
    return 0;
}
