#pragma once
// The show's pseudo-random generator.
//
// Every random number of the show — per-frame seeding, generated textures, the sign pattern of
// alternate mesh files, the asset generator — comes from this one contract, never from the
// platform's rand(), whose range and sequence differ between C libraries:
//   next = next * 1103515245 + 12345;  value = (next / 65536) % 32768
#include <cstdint>

inline constexpr int random_max = 32767;

class RandomGenerator {
public:
    explicit RandomGenerator(uint32_t seed = 1) : next_(seed) {}
    void seed(uint32_t seed) { next_ = seed; }
    // The next value in 0..random_max.
    int draw() {
        next_ = next_ * 1103515245u + 12345u;
        return static_cast<int>((next_ / 65536u) % 32768u);
    }
    // draw() / 32767: the show's "rand()/32767", 0..1 inclusive.
    double draw_unit() { return draw() / static_cast<double>(random_max); }
    uint32_t state() const { return next_; }

private:
    uint32_t next_;
};

// The runtime generator the show seeds and draws from (the show's "C library" generator).
// Single-threaded by design, like everything the frame driver calls.
RandomGenerator& show_random();
inline void seed_random(uint32_t seed) { show_random().seed(seed); }
inline int random_int() { return show_random().draw(); }
inline double random_unit() { return show_random().draw_unit(); }
