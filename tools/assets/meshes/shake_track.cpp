// "Other//try1.sav": a hand-held camera shake, recorded as if from a camera held still, played by
// every timeline scene at 35 samples per second.
//
// Each channel is band-limited noise: a sum of harmonics of the track's length whose amplitudes
// fall off with frequency (a slow drift of a few units over tens of seconds, a breathing sway of a
// fraction of a unit, almost nothing above 2 Hz). Whole harmonics make the track periodic, so the
// loader's closing ramp from the last samples back to the first is barely a change.
#include "tools/assets/generators.h"

#include "core/random.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSamplesPerSecond = 35;
constexpr int kSeconds = 240;
constexpr int kSamples = kSamplesPerSecond * kSeconds;
constexpr double highest_hz = 2.0;

std::vector<double> shake_channel(RandomGenerator& random, double drift, double sway) {
    std::vector<double> channel(kSamples, 0.0);
    const int harmonics = static_cast<int>(highest_hz * kSeconds);
    for (int k = 1; k <= harmonics; ++k) {
        double hz = static_cast<double>(k) / kSeconds;
        // Drift below ~0.1 Hz, a breathing sway band around 0.35 Hz, a faint hand tremor near
        // 1.2 Hz, and nothing to speak of above.
        double amplitude = drift / (1.0 + (hz / 0.05) * (hz / 0.05)) +
                           sway * std::exp(-std::pow((hz - 0.35) / 0.2, 2)) +
                           0.06 * sway * std::exp(-std::pow((hz - 1.2) / 0.4, 2));
        amplitude *= 0.5 + random.draw_unit();
        double phase = 2 * std::numbers::pi * random.draw_unit();
        // sin(step·i + phase) by rotating a unit vector one step at a time.
        double step = 2 * std::numbers::pi * k / kSamples;
        double c = std::cos(phase), s = std::sin(phase), dc = std::cos(step), ds = std::sin(step);
        for (int i = 0; i < kSamples; ++i) {
            channel[i] += amplitude * s;
            double next_c = c * dc - s * ds;
            s = s * dc + c * ds;
            c = next_c;
        }
    }
    return channel;
}

template <typename T>
void put(std::string& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));  // the machines we build on are little-endian, as the file is
}

std::string make_track() {
    RandomGenerator random(20100417);
    std::vector<double> x = shake_channel(random, 0.55, 0.05);
    std::vector<double> y = shake_channel(random, 0.45, 0.045);
    std::vector<double> z = shake_channel(random, 0.25, 0.02);
    std::vector<double> roll = shake_channel(random, 0.02, 0.002);
    std::vector<double> zoom = shake_channel(random, 0.01, 0.001);
    std::string out;
    out.reserve(static_cast<size_t>(kSamples) * 28);
    for (int i = 0; i < kSamples; ++i) {
        put(out, static_cast<float>(x[i]));
        put(out, static_cast<float>(y[i]));
        put(out, static_cast<float>(z[i]));
        put(out, roll[i]);
        put(out, zoom[i]);
    }
    return out;
}

}  // namespace

void add_shake_track(Pack& pack) {
    pack.add(
        "Other//try1.sav",
        "camera shake: 8,400 samples (4 min at 35/s) of smooth band-limited hand-held drift, 28-byte records",
        make_track);
}
