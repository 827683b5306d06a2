#include "anim/camera_path.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "core/file_io.h"

namespace {

template <typename T>
T read_le(const char* p) {
    static_assert(std::endian::native == std::endian::little, "records are read in place");
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

}  // namespace

void CameraPath::load(const std::string& file_name) {
    const auto bytes = read_file(file_name);
    load_bytes(bytes ? *bytes : std::string());
}

void CameraPath::load_bytes(const std::string& bytes) {
    positions.clear();
    aux1.clear();
    aux2.clear();

    const size_t n = bytes.size() / record_size;
    positions.reserve(n);
    aux1.reserve(n);
    aux2.reserve(n);
    for (size_t r = 0; r < n; ++r) {
        const char* p = bytes.data() + r * record_size;
        positions.push_back({read_le<float>(p), read_le<float>(p + 4), read_le<float>(p + 8)});
        aux1.push_back(read_le<double>(p + 12));
        aux2.push_back(read_le<double>(p + 20));
    }

    if (n < 6) return;
    const size_t s = n - 6;
    // Computed in double, stored back at each field's own precision.
    const auto ramp = [](double from, double to, int k) { return from + (k / 6.0) * (to - from); };
    for (int k = 0; k < 6; ++k) {
        Vector3& p = positions[s + k];
        p.x = static_cast<float>(ramp(positions[s].x, positions[0].x, k));
        p.y = static_cast<float>(ramp(positions[s].y, positions[0].y, k));
        p.z = static_cast<float>(ramp(positions[s].z, positions[0].z, k));
        aux1[s + k] = ramp(aux1[s], aux1[0], k);
        aux2[s + k] = ramp(aux2[s], aux2[0], k);
    }
}

uint32_t CameraPath::sample_index(double t, double offset) const {
    if (positions.size() < 2) return 0;
    const double v = samples_per_second * t - offset;
    int64_t whole = 0;
    // NaN and values beyond 64 bits have no truncation; they pin to 0 or the extremes.
    if (std::isnan(v)) {
        whole = 0;
    } else if (v >= 9.2e18) {
        whole = INT64_MAX;
    } else if (v <= -9.2e18) {
        whole = INT64_MIN;
    } else {
        whole = static_cast<int64_t>(v);
    }
    const uint32_t low = static_cast<uint32_t>(static_cast<uint64_t>(whole));
    return low % static_cast<uint32_t>(positions.size() - 1);
}

Vector3 CameraPath::sample(double t, double offset) const {
    if (positions.empty()) return {0.0f, 0.0f, 0.0f};
    return positions[sample_index(t, offset)];
}
