#include "tools/assets/media/synthesiser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <thread>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDt = 1.0 / sample_rate;

double note_hz(double pitch) { return 440.0 * std::pow(2.0, (pitch - 69) / 12); }

// Deterministic white noise in [−1, 1).
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {
        if (!state_) state_ = 1;
    }
    float next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
    }

private:
    uint32_t state_;
};

// Band-limited oscillators (polynomial step correction at the discontinuities).
double blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

// sin(x) by a polynomial on [−π/2, π/2] after range reduction: within 1e-7 of the library's
// sine and several times faster, which matters with a few hundred million samples to make.
double fast_sin(double x) {
    x -= 2 * kPi * std::nearbyint(x / (2 * kPi));
    if (x > kPi / 2)
        x = kPi - x;
    else if (x < -kPi / 2)
        x = -kPi - x;
    const double x2 = x * x;
    return x * (1 + x2 * (-1.0 / 6 + x2 * (1.0 / 120 + x2 * (-1.0 / 5040 +
                                                             x2 * (1.0 / 362880 + x2 * (-1.0 / 39916800))))));
}

class Oscillator {
public:
    explicit Oscillator(double phase = 0) : phase_(phase) {}
    double saw(double hz) {
        const double dt = hz * kDt;
        const double v = 2 * phase_ - 1 - blep(phase_, dt);
        advance(dt);
        return v;
    }
    double square(double hz) {
        const double dt = hz * kDt;
        double v = phase_ < 0.5 ? 1 : -1;
        v += blep(phase_, dt);
        v -= blep(std::fmod(phase_ + 0.5, 1.0), dt);
        advance(dt);
        return v;
    }
    double sine(double hz) {
        const double v = fast_sin(2 * kPi * phase_);
        advance(hz * kDt);
        return v;
    }
    // Sine with a phase offset in radians (the carrier of the FM voices).
    double sine_pm(double hz, double offset) {
        const double v = fast_sin(2 * kPi * phase_ + offset);
        advance(hz * kDt);
        return v;
    }

private:
    void advance(double dt) {
        phase_ += dt;
        phase_ -= std::floor(phase_);
    }
    double phase_;
};

// State-variable filter (trapezoidal form): low, band and high pass from one structure.
class Filter {
public:
    void set(double hz, double q) {
        hz = std::clamp(hz, 20.0, 0.45 * sample_rate);
        const double g = std::tan(kPi * hz * kDt);
        k_ = 1 / q;
        a1_ = 1 / (1 + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    void run(double x) {
        const double v3 = x - ic2_;
        const double v1 = a1_ * ic1_ + a2_ * v3;
        const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
        ic1_ = 2 * v1 - ic1_;
        ic2_ = 2 * v2 - ic2_;
        low = v2;
        band = v1;
        high = x - k_ * v1 - v2;
    }
    double low = 0, band = 0, high = 0;

private:
    double k_ = 1, a1_ = 0, a2_ = 0, a3_ = 0, ic1_ = 0, ic2_ = 0;
};

// Filters whose cutoff moves recompute their coefficients only every few samples.
constexpr int control_rate = 16;

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// exp(−t/τ) sample by sample, by repeated multiplication rather than a call per sample.
class Decay {
public:
    explicit Decay(double tau) : step_(std::exp(-kDt / tau)) {}
    double operator()() {
        const double v = value_;
        value_ *= step_;
        return v;
    }

private:
    double step_, value_ = 1;
};

// Linear attack, held while the key is down, then an exponential release.
class AttackRelease {
public:
    AttackRelease(double attack, double held, double release)
        : rise_(attack > 0 ? kDt / attack : 1),
          held_(static_cast<size_t>(held * sample_rate)),
          release_(release) {}
    double operator()() {
        const double a = std::min(1.0, static_cast<double>(i_) * rise_);
        return a * (i_++ < held_ ? 1.0 : release_());
    }

private:
    double rise_;
    size_t held_, i_ = 0;
    Decay release_;
};

bool is_accent(Instrument i) { return i == Instrument::hit || i == Instrument::stab; }

// How long a voice sounds, in seconds, from its note.
double voice_seconds(const Note& n) {
    switch (n.instrument) {
        case Instrument::kick:
            return 0.5;
        case Instrument::snare:
            return 0.4;
        case Instrument::clap:
            return 0.45;
        case Instrument::closed_hat:
            return 0.12;
        case Instrument::open_hat:
            return 0.5;
        case Instrument::crash:
            return 2.6;
        case Instrument::bass:
            return n.length + 0.25;
        case Instrument::sub:
            return n.length + 0.5;
        case Instrument::pad:
            return n.length + 4.0;
        case Instrument::pluck:
            return 1.0;
        case Instrument::bell:
            return 3.5;
        case Instrument::marimba:
            return 1.2;
        case Instrument::lead:
            return n.length + 1.0;
        case Instrument::swell:
            return n.length;
        case Instrument::riser:
            return n.length;
        case Instrument::hit:
            return 2.8;
        case Instrument::stab:
            return 0.8;
    }
    return 0;
}

size_t start_frame(const Note& n) {
    return static_cast<size_t>(std::lround(std::max(0.0, n.start) * sample_rate));
}
size_t end_frame(const Note& n) {
    return start_frame(n) + static_cast<size_t>(voice_seconds(n) * sample_rate) + 1;
}

// Where a voice writes: pan, sends and ducking applied per sample.
class Output {
public:
    Output(Buses& buses, const std::vector<float>& ducking, const Note& note)
        : buses_(buses),
          ducking_(ducking),
          start_(start_frame(note)),
          duck_(!is_accent(note.instrument)),
          delay_(static_cast<float>(note.delay_send)),
          reverb_(static_cast<float>(note.reverb_send)) {
        const double theta = (std::clamp(note.pan, -1.0, 1.0) + 1) * kPi / 4;
        left_ = static_cast<float>(std::cos(theta) * std::sqrt(2.0) * note.velocity);
        right_ = static_cast<float>(std::sin(theta) * std::sqrt(2.0) * note.velocity);
    }
    size_t frames() const { return start_ < buses_.dry.frames() ? buses_.dry.frames() - start_ : 0; }
    void put(size_t i, double l, double r) {
        const size_t at = start_ + i;
        float g = duck_ ? ducking_[at] : 1.0f;
        const float fl = static_cast<float>(l) * left_ * g, fr = static_cast<float>(r) * right_ * g;
        buses_.dry.left[at] += fl;
        buses_.dry.right[at] += fr;
        const float mono = 0.5f * (fl + fr);
        buses_.delay_send[at] += mono * delay_;
        buses_.reverb_send[at] += mono * reverb_;
    }
    void put(size_t i, double m) { put(i, m, m); }

private:
    Buses& buses_;
    const std::vector<float>& ducking_;
    size_t start_;
    bool duck_;
    float delay_, reverb_, left_ = 1, right_ = 1;
};

uint32_t seed_of(const Note& n) {
    return static_cast<uint32_t>(start_frame(n)) * 31u + static_cast<uint32_t>(n.instrument) * 7919u +
           static_cast<uint32_t>(n.pitch * 16);
}

void render_voice(const Note& n, Buses& buses, const std::vector<float>& ducking) {
    Output out(buses, ducking, n);
    const size_t frames = std::min(out.frames(), static_cast<size_t>(voice_seconds(n) * sample_rate));
    const double hz = note_hz(n.pitch);
    Noise noise(seed_of(n)), noise2(seed_of(n) + 1);
    Oscillator o1, o2(0.33), o3(0.71), o4(0.5);
    Filter f1, f2;

    switch (n.instrument) {
        case Instrument::kick: {
            Decay sweep(0.03), body_decay(0.3), click_decay(0.0015);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                const double body = o1.sine(46 + 125 * sweep()) * body_decay() * std::min(1.0, t / 0.0008);
                const double click = noise.next() * click_decay() * 0.35;
                out.put(i, std::tanh(1.6 * (body + click)) * 0.9);
            }
            break;
        }
        case Instrument::snare: {
            Decay low(0.05), high(0.03), rattle(0.13);
            f1.set(2600, 0.8);
            for (size_t i = 0; i < frames; ++i) {
                const double tone = o1.sine(190) * low() * 0.45 + o2.sine(330) * high() * 0.2;
                f1.run(noise.next());
                out.put(i, tone + (f1.band * 1.2 + f1.high * 0.25) * rattle());
            }
            break;
        }
        case Instrument::clap:
            f1.set(1300, 1.4);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                double env = 0;
                for (int k = 0; k < 3; ++k)
                    if (t >= 0.011 * k) env += std::exp(-(t - 0.011 * k) / 0.004);
                if (t >= 0.025) env += 0.8 * std::exp(-(t - 0.025) / 0.13);
                f1.run(noise.next());
                out.put(i, f1.band * env * 1.6);
            }
            break;
        case Instrument::closed_hat:
        case Instrument::open_hat: {
            Decay decay(n.instrument == Instrument::closed_hat ? 0.025 : 0.16);
            f1.set(8000, 0.9);
            f2.set(7000, 0.9);
            for (size_t i = 0; i < frames; ++i) {
                const double env = decay() * 0.45;
                f1.run(noise.next());
                f2.run(noise2.next());
                out.put(i, f1.high * env, f2.high * env);
            }
            break;
        }
        case Instrument::crash: {
            Decay decay(0.9);
            f1.set(5000, 0.8);
            f2.set(5200, 0.8);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                const double env = decay() * 0.45 * std::min(1.0, t / 0.001);
                f1.run(noise.next());
                f2.run(noise2.next());
                out.put(i, f1.high * env, f2.high * env);
            }
            break;
        }
        case Instrument::bass: {
            AttackRelease envelope(0.003, n.length, 0.04);
            Decay punch(0.1);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                if (i % control_rate == 0) f1.set(170 + 2000 * n.velocity * std::exp(-t / 0.09), 1.25);
                f1.run(o1.saw(hz) * 0.55 + o2.sine(hz * 0.5) * 0.3);
                const double amp = envelope() * (0.85 + 0.15 * punch());
                out.put(i, (f1.low + o3.sine(hz * 0.5) * 0.35) * amp);
            }
            break;
        }
        case Instrument::sub: {
            AttackRelease envelope(0.02, n.length, 0.12);
            for (size_t i = 0; i < frames; ++i) out.put(i, o1.sine(hz) * envelope() * 0.6);
            break;
        }
        case Instrument::pad: {
            // Two saws detuned apart, one to each side, over a soft sub-octave sine.
            const double detune = std::pow(2.0, 0.12 / 12);
            AttackRelease envelope(0.9, n.length, 1.4);
            const double tail = voice_seconds(n);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                if (i % control_rate == 0) {
                    // The sweep follows absolute time so consecutive chords breathe together.
                    const double sweep = 0.5 + 0.5 * std::sin(2 * kPi * 0.09 * (n.start + t));
                    f1.set(600 + 1100 * sweep, 0.9);
                    f2.set(650 + 1100 * sweep, 0.9);
                }
                const double a = o1.saw(hz / detune), c = o3.saw(hz * detune), d = o4.sine(hz * 0.5);
                f1.run(a);
                f2.run(c);
                // The release is cut short with a brief fade once it is far down.
                const double amp = envelope() * 0.22 * std::min(1.0, (tail - t) / 0.3);
                out.put(i, (f1.low + 0.3 * d) * amp, (f2.low + 0.3 * d) * amp);
            }
            break;
        }
        case Instrument::pluck: {
            Decay decay(0.22);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                if (i % control_rate == 0) f1.set(500 + 6500 * n.velocity * std::exp(-t / 0.07), 1.4);
                f1.run(o1.saw(hz) * 0.5 + o2.square(hz * 1.004) * 0.3);
                out.put(i, f1.low * decay() * std::min(1.0, t / 0.002) * 0.5);
            }
            break;
        }
        case Instrument::bell: {
            Decay brightness(0.35), decay(1.1);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                const double mod = o1.sine(hz * 3.5) * (2.2 * brightness() + 0.15);
                out.put(i, o2.sine_pm(hz, mod) * decay() * std::min(1.0, t / 0.002) * 0.3);
            }
            break;
        }
        case Instrument::marimba: {
            Decay strike(0.02), decay(0.32), overtone(0.05);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                const double mod = o1.sine(hz * 4) * 1.8 * strike();
                const double v = o2.sine_pm(hz, mod) * decay() + o3.sine(hz * 4) * 0.12 * overtone();
                out.put(i, v * std::min(1.0, t / 0.001) * 0.42);
            }
            break;
        }
        case Instrument::lead: {
            const double detune = std::pow(2.0, 0.08 / 12);
            AttackRelease envelope(0.012, n.length, 0.2);
            Decay settle(0.3);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                const double vibrato = std::pow(
                    2.0, 0.15 / 12 * std::clamp((t - 0.25) / 0.3, 0.0, 1.0) * fast_sin(2 * kPi * 5.5 * t));
                const double f = hz * vibrato;
                if (i % control_rate == 0) f1.set(1200 + 4200 * (0.35 + 0.65 * std::exp(-t / 0.25)), 1.3);
                f1.run(o1.saw(f / detune) * 0.5 + o2.saw(f * detune) * 0.5 + o3.square(f * 0.5) * 0.25);
                const double amp = envelope() * (0.75 + 0.25 * settle());
                out.put(i, f1.low * amp * 0.3);
            }
            break;
        }
        case Instrument::swell:
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                const double shape = std::pow(std::sin(kPi * std::min(1.0, t / n.length)), 2);
                if (i % control_rate == 0) {
                    f1.set(250 + 1400 * shape, 0.7);
                    f2.set(270 + 1400 * shape, 0.7);
                }
                f1.run(noise.next());
                f2.run(noise2.next());
                out.put(i, f1.low * shape * 0.35, f2.low * shape * 0.35);
            }
            break;
        case Instrument::riser:
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                const double x = std::min(1.0, t / n.length);
                if (i % control_rate == 0) f1.set(300 * std::pow(30.0, x), 2.0);
                f1.run(noise.next());
                // The sweep falls silent just before its target, so whatever lands there is heard
                // as a fresh attack.
                const double tail = 1 - smoothstep(n.length - 0.09, n.length - 0.03, t);
                out.put(i, f1.band * x * x * 0.8 * tail);
            }
            break;
        case Instrument::hit: {
            Decay sweep(0.04), thump_decay(0.4), click_decay(0.002), wash_decay(0.7);
            f1.set(3000, 0.8);
            f2.set(3100, 0.8);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                const double thump = o1.sine(50 + 170 * sweep()) * thump_decay();
                const double click = noise.next() * click_decay() * 1.8;
                f1.run(noise.next());
                f2.run(noise2.next());
                const double wash = wash_decay() * 0.55 * std::min(1.0, t / 0.0005);
                out.put(i, std::tanh(thump + click + f1.high * wash),
                        std::tanh(thump + click + f2.high * wash));
            }
            break;
        }
        case Instrument::stab: {
            Decay click_decay(0.0015), snap(0.03), chord(0.18);
            f2.set(2000, 1.2);
            for (size_t i = 0; i < frames; ++i) {
                const double t = i * kDt;
                if (i % control_rate == 0) f1.set(300 + 5000 * std::exp(-t / 0.06), 1.1);
                f1.run(o1.saw(hz) + o2.saw(hz * 1.4983) * 0.8 + o3.saw(hz * 2) * 0.6);
                f2.run(noise.next());
                const double click = noise2.next() * click_decay() * 1.5;
                out.put(i, click + f2.band * snap() * 0.6 + f1.low * chord() * 0.35);
            }
            break;
        }
    }
}

}  // namespace

void StereoBuffer::add(const StereoBuffer& other, float gain) {
    const size_t n = std::min(frames(), other.frames());
    for (size_t i = 0; i < n; ++i) {
        left[i] += other.left[i] * gain;
        right[i] += other.right[i] * gain;
    }
}

Buses render_notes(std::span<const Note> notes, size_t frames, const std::vector<float>& ducking) {
    Buses buses(frames);
    // Two workers own the two halves of the piece: a note goes to a worker only if its whole
    // voice lies inside that worker's half, so they never write the same samples. The few notes
    // that straddle the middle are rendered afterwards.
    const size_t middle = frames / 2;
    std::vector<const Note*> first, second, straddling;
    for (const Note& n : notes) {
        if (end_frame(n) <= middle)
            first.push_back(&n);
        else if (start_frame(n) >= middle)
            second.push_back(&n);
        else
            straddling.push_back(&n);
    }
    auto work = [&](const std::vector<const Note*>& list) {
        for (const Note* n : list) render_voice(*n, buses, ducking);
    };
    std::thread helper(work, std::cref(second));
    work(first);
    helper.join();
    work(straddling);
    return buses;
}

StereoBuffer ping_pong_delay(const std::vector<float>& send, double delay, double feedback) {
    const size_t frames = send.size();
    const size_t d = static_cast<size_t>(std::lround(delay * sample_rate));
    StereoBuffer wet(frames);
    std::vector<float> line_l(frames, 0.0f), line_r(frames, 0.0f);
    float damp_l = 0, damp_r = 0;
    const float fb = static_cast<float>(feedback);
    for (size_t i = 0; i < frames; ++i) {
        const float back_l = i >= d ? line_l[i - d] : 0.0f, back_r = i >= d ? line_r[i - d] : 0.0f;
        // One-pole low pass in the loop: each bounce a little darker.
        damp_l += 0.45f * (back_l - damp_l);
        damp_r += 0.45f * (back_r - damp_r);
        line_l[i] = send[i] + fb * damp_r;
        line_r[i] = fb * damp_l;
        wet.left[i] = back_l;
        wet.right[i] = back_r;
    }
    return wet;
}

namespace {

class Comb {
public:
    explicit Comb(size_t length) : buffer_(length, 0.0f) {}
    float run(float in, float feedback, float damping) {
        const float out = buffer_[index_];
        store_ = out * (1 - damping) + store_ * damping;
        buffer_[index_] = in + store_ * feedback;
        if (++index_ == buffer_.size()) index_ = 0;
        return out;
    }

private:
    std::vector<float> buffer_;
    size_t index_ = 0;
    float store_ = 0;
};

class AllPass {
public:
    explicit AllPass(size_t length) : buffer_(length, 0.0f) {}
    float run(float in) {
        const float held = buffer_[index_];
        buffer_[index_] = in + held * 0.5f;
        if (++index_ == buffer_.size()) index_ = 0;
        return held - in;
    }

private:
    std::vector<float> buffer_;
    size_t index_ = 0;
};

constexpr std::array<size_t, 8> comb_lengths = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<size_t, 4> all_pass_lengths = {556, 441, 341, 225};
constexpr size_t stereo_spread = 23;

void reverb_channel(const std::vector<float>& send, std::vector<float>& out, size_t spread, float room,
                    float damping) {
    std::vector<Comb> combs;
    std::vector<AllPass> passes;
    for (size_t l : comb_lengths) combs.emplace_back(l + spread);
    for (size_t l : all_pass_lengths) passes.emplace_back(l + spread);
    for (size_t i = 0; i < send.size(); ++i) {
        const float in = send[i] * 0.03f;
        float sum = 0;
        for (Comb& c : combs) sum += c.run(in, room, damping);
        for (AllPass& a : passes) sum = a.run(sum);
        out[i] = sum;
    }
}

}  // namespace

StereoBuffer reverb(const std::vector<float>& send, double room, double damping) {
    StereoBuffer wet(send.size());
    const float r = static_cast<float>(room), d = static_cast<float>(damping);
    std::thread right([&] { reverb_channel(send, wet.right, stereo_spread, r, d); });
    reverb_channel(send, wet.left, 0, r, d);
    right.join();
    return wet;
}

std::vector<float> ducking_curve(std::span<const double> accents, size_t frames, double depth) {
    std::vector<float> gain(frames, 1.0f);
    for (double a : accents) {
        const long centre = std::lround(a * sample_rate);
        const long from = std::max(0L, centre - static_cast<long>(0.03 * sample_rate));
        const long to = std::min(static_cast<long>(frames), centre + static_cast<long>(0.8 * sample_rate));
        for (long i = from; i < to; ++i) {
            const double rel = static_cast<double>(i - centre) / sample_rate;
            double dip;
            if (rel < -0.004)
                dip = depth * (1 - std::cos(kPi * (rel + 0.03) / 0.026)) / 2;
            else if (rel < 0)
                dip = depth;
            else
                dip = depth * std::exp(-rel / 0.12);
            gain[static_cast<size_t>(i)] =
                std::min(gain[static_cast<size_t>(i)], static_cast<float>(1 - dip));
        }
    }
    return gain;
}

double master(StereoBuffer& mix) {
    // Loudness reference: a high percentile of the sample magnitudes, taken over a fixed
    // stride so that it is cheap and repeatable.
    std::vector<float> magnitudes;
    for (size_t i = 0; i < mix.frames(); i += 5) {
        magnitudes.push_back(std::abs(mix.left[i]));
        magnitudes.push_back(std::abs(mix.right[i]));
    }
    if (magnitudes.empty()) return 1;
    const size_t k = magnitudes.size() - 1 - magnitudes.size() / 2000;
    std::nth_element(magnitudes.begin(), magnitudes.begin() + static_cast<long>(k), magnitudes.end());
    const double reference = std::max(1e-6f, magnitudes[k]);
    const double gain = 0.66 / reference;
    constexpr double knee = 0.66, room = 0.2;
    auto shape = [&](float& s) {
        const double x = s * gain, m = std::abs(x);
        s = static_cast<float>(m <= knee ? x : std::copysign(knee + room * std::tanh((m - knee) / room), x));
    };
    for (size_t i = 0; i < mix.frames(); ++i) {
        shape(mix.left[i]);
        shape(mix.right[i]);
    }
    return gain;
}
