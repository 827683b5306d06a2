#pragma once
// Ogg Vorbis encoding of the music with fixed settings: the same samples always give the same
// bytes (constant stream serial, no comments that vary).
#include "tools/assets/media/synthesiser.h"

#include <string>

inline constexpr int ogg_serial = 0x42524E46;  // constant so the bytes repeat
inline constexpr float vorbis_quality = 0.4f;

// Encodes 44.1 kHz stereo samples in [−1, 1]. Empty on an encoder failure.
std::string encode_vorbis(const StereoBuffer& music);
