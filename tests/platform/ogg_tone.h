#pragma once
// Short Ogg Vorbis tracks made on the spot with libvorbisenc, so decoding and playback tests need
// no asset.
#include <string>

// An Ogg Vorbis stream of `seconds` of a sine at `frequency` Hz and `amplitude` (0..1) on every
// channel.
std::string encode_ogg_tone(int rate, int channels, double seconds, double frequency, double amplitude);
