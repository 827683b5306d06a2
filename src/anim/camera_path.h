#pragma once
// The recorded camera-shake track: positions (and two auxiliary channels) sampled at 35 samples
// per second. Each timeline scene loads the same file once and reads one sample per frame.
//
// File layout: headerless little-endian records of 28 bytes — x, y, z as 32-bit floats, then two
// 64-bit float auxiliary values. A trailing partial record is ignored. The auxiliary values take
// part in the loop closing but nothing is drawn from them.
#include <cstdint>
#include <string>
#include <vector>

#include "core/vector3.h"

class CameraPath {
public:
    static constexpr size_t record_size = 28;
    static constexpr double samples_per_second = 35.0;

    std::vector<Vector3> positions;  // state 1
    std::vector<double> aux1;
    std::vector<double> aux2;

    // Replaces the samples by the file's records; a file that cannot be opened leaves the path
    // empty, silently. With six or more samples the last six are bent into a ramp toward sample 0,
    // so playback wraps without a jump.
    void load(const std::string& file_name);
    // The same, from the file's bytes.
    void load_bytes(const std::string& bytes);

    // The sample shown at scene time t for a scene-chosen offset (in samples): the low 32 bits of
    // trunc(35·t − offset), taken unsigned, modulo n − 1. The track loops over its first n − 1
    // samples. A path of fewer than two samples has nothing to loop over and gives 0 (the scenes
    // then get no shake: positions[0] when one sample exists).
    uint32_t sample_index(double t, double offset) const;
    // positions[sample_index(t, offset)], or the zero vector (state 1) when the path is empty, so
    // a scene without its track simply gets no shake.
    Vector3 sample(double t, double offset) const;

    size_t size() const { return positions.size(); }
};
